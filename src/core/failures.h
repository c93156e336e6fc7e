#pragma once

// Every message the user can read, and the failure kinds that carry them.
// The kinds and their texts are declared here and nowhere else; the pages
// and the shell build their failures with the functions below.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

// A text echoed in a message, shown whole: each control character (the
// zero character, a tab, a line break, DEL, U+0080..U+009F) becomes "?",
// so nothing after it is lost and the message keeps its one line.
//   "12.\0" "5" -> "12.?5"     "1\r\n2" -> "1??2"
std::string messageText(std::string_view text);

// The system's text for an error as the file messages carry it: trailing
// blanks, control characters and full stops removed.
//   "Permission denied.\n" -> "Permission denied"     "a.b. c" -> "a.b. c"
std::string_view messageSystemText(std::string_view text);

// A field whose text is not wholly a number, the text shown whole:
//   Поле "<caption>": "<text>" не является числом
// and " (дробная часть отделяется точкой)" after it when the text holds a
// comma.
//   ("Шаг (см)", "15,5")  -> Поле "Шаг (см)": "15,5" не является числом (дробная часть отделяется точкой)
//   ("Шаг (см)", "1\t2")  -> Поле "Шаг (см)": "1?2" не является числом
inline EInputError fieldNotANumber(std::string_view caption, std::string_view text)
{
    std::string message = "Поле \"";
    message += caption;
    message += "\": \"";
    message += messageText(text);
    message += "\" не является числом";
    if (text.find(',') != std::string_view::npos)
        message += " (дробная часть отделяется точкой)";
    return EInputError(message);
}

// The concrete class list has no item picked.
inline EInputError noConcreteClass()
{
    return EInputError("Не выбран класс бетона");
}

// The reinforcement class list has no item picked.
inline EInputError noReinforcementClass()
{
    return EInputError("Не выбран класс арматуры");
}

// The two file messages' common form: <opening><full path>". <system text>
inline std::string fileMessage(std::string_view opening, std::string_view fullPath, std::string_view systemText)
{
    std::string message(opening);
    message += fullPath;
    message += "\". ";
    message += messageSystemText(systemText);
    return message;
}

// A history file that cannot be made, or not put in place of the old one:
//   Cannot create file "<full path>". <system text>
//   ("/h.txt", "Permission denied") -> Cannot create file "/h.txt". Permission denied
inline Exception cannotCreateFile(std::string_view fullPath, std::string_view systemText)
{
    return Exception(fileMessage("Cannot create file \"", fullPath, systemText));
}

// A history file that cannot be opened or read:
//   Cannot open file "<full path>". <system text>
inline Exception cannotOpenFile(std::string_view fullPath, std::string_view systemText)
{
    return Exception(fileMessage("Cannot open file \"", fullPath, systemText));
}

// A file's text is more than a history box holds.
inline Exception textExceedsMemoCapacity()
{
    return Exception("Text exceeds memo capacity");
}

// The message of anything thrown that carries no text of its own.
inline Exception unknownFailure()
{
    return Exception("Unknown failure");
}

// The question before the main window closes while some pages' histories
// hold work that no file has (`pages`: their tab captions, in tab order), and
// its two buttons.
//   {"Хомуты"}           -> История на странице «Хомуты» не сохранена. Закрыть программу?
//   {"Хомуты", "Смятие"} -> История на страницах «Хомуты», «Смятие» не сохранена. Закрыть программу?
std::string unsavedHistoriesQuestion(const std::vector<std::string> &pages);
inline constexpr std::string_view kCloseProgramButton = "Закрыть";
inline constexpr std::string_view kKeepProgramButton = "Отмена";

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
