#pragma once

// What the page fuzz targets share: the texts of a page from fuzz bytes, the
// outcome of a calculation, and the pieces of an oracle that computes the
// expected outcome apart from the page code: the reading order and its
// refusals, the strength tables, and the arithmetic evaluated on plain
// long doubles with the processor's exception flags deciding whether and how
// it fails.

#include "fuzz_support.h"

#include "core/number_format.h"
#include "pages/page_fields.h"

#include <set>
#include <string>
#include <string_view>

namespace naklon::fuzz {

enum class Kind { Lines, Refused, InvalidOp, ZeroDivide, Overflow };

struct Outcome {
    Kind kind = Kind::Lines;
    HistoryLines lines;  // Kind::Lines
    std::string message; // Kind::Refused
};

// The expected outcome: one exact outcome, or an arithmetic failure of any
// of the kinds the evaluation raised (the program fails at the first one).
struct Expected {
    Outcome outcome;
    std::set<Kind> failures;
};

// A text of a field: fuzz bytes in Windows-1251, as UTF-8 the way the window
// hands it over.
std::string fieldText(FuzzInput &input);
// A class list text: one of `items` when the option byte says so, else any
// text.
std::string classText(FuzzInput &input, std::initializer_list<std::string_view> items);
const NumberFormat &formatFrom(std::uint8_t option);

// Runs a page calculation and records what came out; any failure other than
// a refusal or one of the three arithmetic kinds breaks an invariant.
template <typename Calculation>
Outcome outcomeOf(Calculation calculation);

// The reading of a page's texts as the program does it, in page order. A
// text that stops the calculation throws the Expected outcome.
double expectField(std::string_view caption, std::string_view text);
double expectClass(std::string_view text);
long double expectRbt(double classNumber);
long double expectRb(double classNumber);
long double expectRsw(double classNumber);

// Plain long double arithmetic; each operation is kept apart so that the
// flags it raises are the ones tested.
long double times(long double a, long double b);
long double over(long double a, long double b);
long double minus(long double a, long double b);
long double root(long double a);
double toDouble(long double a);
void clearFlags();
// Throws the Expected failure when an operation since clearFlags() raised
// invalid operation, division by zero or overflow.
void settle();

// Checks what every page line must be: Windows-1251 text without line
// breaks, zero bytes or "NAN"; then compares with the expected outcome.
void checkOutcome(const Outcome &actual, const Expected &expected, const std::string &inputs);

// Runs the oracle; returns the expected outcome whether it ended in lines or
// in a thrown Expected.
template <typename Oracle>
Expected expectedOf(Oracle oracle)
{
    try {
        return Expected{Outcome{Kind::Lines, oracle(), {}}, {}};
    } catch (const Expected &expected) {
        return expected;
    }
}

} // namespace naklon::fuzz

#include "core/failures.h"

template <typename Calculation>
naklon::fuzz::Outcome naklon::fuzz::outcomeOf(Calculation calculation)
{
    try {
        return Outcome{Kind::Lines, calculation(), {}};
    } catch (const EInputError &failure) {
        return Outcome{Kind::Refused, {}, failure.what()};
    } catch (const EInvalidOp &failure) {
        return Outcome{Kind::InvalidOp, {}, failure.what()};
    } catch (const EZeroDivide &failure) {
        return Outcome{Kind::ZeroDivide, {}, failure.what()};
    } catch (const EOverflow &failure) {
        return Outcome{Kind::Overflow, {}, failure.what()};
    } catch (const std::exception &failure) {
        FUZZ_CHECK(false, std::string("a failure of no known kind: ") + failure.what());
    }
}
