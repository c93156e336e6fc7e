#include "page_oracle.h"

#include "core/read_number.h"
#include "core/windows1251.h"

#include <cfenv>
#include <cmath>

namespace naklon::fuzz {

std::string fieldText(FuzzInput &input)
{
    return iconvDecode1251(input.field());
}

std::string classText(FuzzInput &input, std::initializer_list<std::string_view> items)
{
    const std::uint8_t choice = input.byte();
    const std::string text = fieldText(input);
    if (choice < 0xC0)
        return std::string(items.begin()[choice % items.size()]);
    return text;
}

const NumberFormat &formatFrom(std::uint8_t option)
{
    static const NumberFormat formats[] = {{".", ","}, {",", " "}, {",", "\u00A0"}, {".", ""}, {"", ""}};
    return formats[option % std::size(formats)];
}

namespace {

[[noreturn]] void expectOutcome(Outcome outcome)
{
    throw Expected{std::move(outcome), {}};
}

std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

NumberReading expectReading(std::string_view text)
{
    try {
        return readNumber(withoutTrailingBlanks(text));
    } catch (const EOverflow &) {
        throw Expected{Outcome{Kind::Overflow, {}, {}}, {Kind::Overflow}};
    }
}

// The field text as a refusal shows it: every control character (C0, DEL,
// and C1, which UTF-8 writes as C2 80..C2 9F) becomes one "?".
std::string shownInMessage(std::string_view text)
{
    std::string shown;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const bool c1 =
            byte == 0xC2 && at + 1 < text.size() && (static_cast<unsigned char>(text[at + 1]) & 0xE0) == 0x80;
        if (c1)
            ++at;
        shown += byte < 0x20 || byte == 0x7F || c1 ? '?' : static_cast<char>(byte);
    }
    return shown;
}

} // namespace

double expectField(std::string_view caption, std::string_view text)
{
    const NumberReading reading = expectReading(text);
    if (!reading.wholeText) {
        std::string message =
            "Поле \"" + std::string(caption) + "\": \"" + shownInMessage(text) + "\" не является числом";
        if (text.find(',') != std::string_view::npos)
            message += " (дробная часть отделяется точкой)";
        expectOutcome(Outcome{Kind::Refused, {}, message});
    }
    return reading.value;
}

double expectClass(std::string_view text)
{
    const NumberReading reading = expectReading(text);
    return reading.wholeText ? reading.value : 0.0;
}

// The design strengths in kgf/cm2 by class.
long double expectRbt(double c)
{
    if (c == 15)
        return 7.6452;
    if (c == 20)
        return 9.1743;
    if (c == 25)
        return 10.7033;
    if (c == 30)
        return 12.2324;
    if (c == 35)
        return 13.2517;
    if (c == 40)
        return 14.2711;
    expectOutcome(Outcome{Kind::Refused, {}, "Не выбран класс бетона"});
}

long double expectRb(double c)
{
    if (c == 15)
        return 86;
    if (c == 20)
        return 117;
    if (c == 25)
        return 148;
    if (c == 30)
        return 173;
    if (c == 35)
        return 198;
    if (c == 40)
        return 224;
    expectOutcome(Outcome{Kind::Refused, {}, "Не выбран класс бетона"});
}

long double expectRsw(double c)
{
    if (c == 240)
        return 1783.89;
    if (c == 300)
        return 2293.57;
    if (c == 400)
        return 2599.38;
    expectOutcome(Outcome{Kind::Refused, {}, "Не выбран класс арматуры"});
}

// Each operation stores its result through a volatile so that it is done
// here, between the flag calls, and not folded or moved.
long double times(long double a, long double b)
{
    volatile long double r = a * b;
    return r;
}

long double over(long double a, long double b)
{
    volatile long double r = a / b;
    return r;
}

long double minus(long double a, long double b)
{
    volatile long double r = a - b;
    return r;
}

long double root(long double a)
{
    volatile long double r = std::sqrt(a);
    return r;
}

double toDouble(long double a)
{
    volatile double r = static_cast<double>(a);
    return r;
}

void clearFlags()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

void settle()
{
    std::set<Kind> raised;
    if (std::fetestexcept(FE_INVALID))
        raised.insert(Kind::InvalidOp);
    if (std::fetestexcept(FE_DIVBYZERO))
        raised.insert(Kind::ZeroDivide);
    if (std::fetestexcept(FE_OVERFLOW))
        raised.insert(Kind::Overflow);
    if (!raised.empty())
        throw Expected{Outcome{*raised.begin(), {}, {}}, raised};
}

namespace {

const char *kindName(Kind kind)
{
    switch (kind) {
    case Kind::Lines: return "lines";
    case Kind::Refused: return "refused";
    case Kind::InvalidOp: return "invalid operation";
    case Kind::ZeroDivide: return "division by zero";
    case Kind::Overflow: return "overflow";
    }
    return "?";
}

std::string describe(const Outcome &outcome)
{
    std::string text = kindName(outcome.kind);
    if (outcome.kind == Kind::Refused)
        text += " \"" + escaped(outcome.message) + "\"";
    for (const std::string &line : outcome.lines)
        text += "\n    \"" + escaped(line) + "\"";
    return text;
}

} // namespace

void checkOutcome(const Outcome &actual, const Expected &expected, const std::string &inputs)
{
    const std::string context =
        "inputs " + inputs + "\n*** got " + describe(actual) + "\n*** expected " + describe(expected.outcome);
    for (const std::string &line : actual.lines) {
        FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos, context);
        FUZZ_CHECK(!containsNan(line), context);
        FUZZ_CHECK(iconvEncodable1251(line), context);
    }
    switch (actual.kind) {
    case Kind::InvalidOp: FUZZ_CHECK(actual.message == "Invalid floating point operation", context); break;
    case Kind::ZeroDivide: FUZZ_CHECK(actual.message == "Floating point division by zero", context); break;
    case Kind::Overflow: FUZZ_CHECK(actual.message == "Floating point overflow", context); break;
    default: break;
    }
    if (!expected.failures.empty()) {
        FUZZ_CHECK(expected.failures.count(actual.kind) == 1, context);
        return;
    }
    FUZZ_CHECK(actual.kind == expected.outcome.kind, context);
    FUZZ_CHECK(actual.message == expected.outcome.message || actual.kind != Kind::Refused, context);
    FUZZ_CHECK(actual.lines == expected.outcome.lines, context);
}

} // namespace naklon::fuzz
