#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace naklon {

// Every failure that can leave a click handler. The shell's one error handler
// shows what(); nothing else of a failure matters to it.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string &message) : std::runtime_error(message) {}
};

// A failure reported by the arithmetic itself (the processor, in the original
// design), as opposed to one raised by the program's own checks.
class EExternal : public Exception {
public:
    using Exception::Exception;
};

class EMathError : public EExternal {
public:
    using EExternal::EExternal;
};

// 0/0, inf-inf, 0*inf, inf/inf, square root or logarithm of a negative number.
class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

// A finite non-zero number divided by zero; the logarithm of zero.
class EZeroDivide : public EMathError {
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

// A finite result beyond the extended range, or beyond the double range when
// a result is rounded to a double.
class EOverflow : public EMathError {
public:
    EOverflow() : EMathError("Floating point overflow") {}
};

// Underflow is masked, so this kind is never raised; it exists so that the
// family of arithmetic failures is complete.
class EUnderflow : public EMathError {
public:
    EUnderflow() : EMathError("Floating point underflow") {}
};

// The program refused to calculate: a field that is not a number, a class
// list with nothing picked.
class EInputError : public Exception {
public:
    using Exception::Exception;
};

// The message as the error box shows it: a full stop is appended when the
// last character's code is above that of "." (letters and digits are; ".",
// " ", ")", "," and "-" are not).
//   "Floating point overflow" -> "Floating point overflow."
//   "Stream write error."     -> "Stream write error."
std::string withClosingFullStop(std::string_view message);

// The application title from the running program file's path: the folder is
// dropped (both "/" and "\" separate folders), the name is cut before its
// first full stop, and every character after the first is lower-cased.
//   "C:\\Tools\\BEAM.CALC.EXE" -> "Beam";  "/usr/bin/naklon" -> "naklon"
std::string applicationTitle(std::string_view programPath);

} // namespace naklon
