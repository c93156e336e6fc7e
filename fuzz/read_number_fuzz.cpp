// readNumber on arbitrary bytes, against a reading of the same text written
// apart from it: the grammar decides whether the whole text is a number, the
// C library's correctly rounded conversion gives the value to expect.

#include "fuzz_support.h"

#include "core/failures.h"
#include "core/read_number.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

using naklon::fuzz::escaped;

struct Grammar {
    bool wholeText = true;
    bool negative = false;
    std::string digits; // every digit of the number part, run together
    long long fractionDigits = 0;
    long long exponent = 0; // saturated far beyond any possible power
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

Grammar parse(std::string_view text)
{
    Grammar g;
    std::size_t i = 0;
    const auto atEnd = [&] { return i >= text.size(); };
    while (!atEnd() && text[i] == ' ')
        ++i;
    if (!atEnd() && (text[i] == '+' || text[i] == '-'))
        g.negative = text[i++] == '-';
    if (atEnd()) {
        // Blanks and a sign alone: a plain zero, without the sign.
        g.negative = false;
        return g;
    }
    for (; !atEnd() && isDigit(text[i]); ++i)
        g.digits += text[i];
    if (!atEnd() && text[i] == '.') {
        for (++i; !atEnd() && isDigit(text[i]); ++i, ++g.fractionDigits)
            g.digits += text[i];
    }
    if (!atEnd() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (!atEnd() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        if (atEnd() || !isDigit(text[i])) {
            g.wholeText = false;
            return g;
        }
        for (; !atEnd() && isDigit(text[i]); ++i)
            g.exponent = std::min(g.exponent * 10 + (text[i] - '0'), 1000000000000000LL);
        if (negativeExponent)
            g.exponent = -g.exponent;
    }
    g.wholeText = atEnd();
    return g;
}

std::string significant(const std::string &digits)
{
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string() : digits.substr(first);
}

// The allowance for a value built digit by digit and scaled in three steps
// at 64-bit precision, then rounded to a double: two units in the last place
// plus one 2^-63 for every digit and step.
bool close(double actual, double expected, std::size_t digitCount)
{
    if (actual == expected)
        return true;
    const double relative = 2 * DBL_EPSILON + static_cast<double>(digitCount + 8) * std::ldexp(1.0, -63);
    return std::fabs(actual - expected) <= std::max(relative * std::fabs(expected), 2 * DBL_TRUE_MIN);
}

// Whether the true magnitude lies clearly inside, clearly outside, or near
// the edge of the double range.
enum class Range { Inside, Beyond, Edge };

Range rangeOf(const std::string &sig, long long power, long double largest = DBL_MAX)
{
    if (sig.empty())
        return Range::Inside;
    const double log10 = static_cast<double>(sig.size()) - 1 + static_cast<double>(power)
        + std::log10(std::stod("0." + sig.substr(0, 17)) * 10);
    const double limit = static_cast<double>(std::log10(largest));
    if (log10 < limit - 1e-12)
        return Range::Inside;
    if (log10 > limit + 1e-12)
        return Range::Beyond;
    return Range::Edge;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const Grammar g = parse(text);
    const std::string sig = significant(g.digits);

    naklon::NumberReading reading;
    bool overflow = false;
    try {
        reading = naklon::readNumber(text);
    } catch (const naklon::EOverflow &) {
        overflow = true;
    } catch (const std::exception &failure) {
        FUZZ_CHECK(false, "unexpected failure \"" + std::string(failure.what()) + "\" for \"" + escaped(text) + "\"");
    }

    // The running whole number is held at extended precision while it is
    // read: beyond that range the reading fails whatever follows.
    const Range running = rangeOf(sig, 0, LDBL_MAX);
    if (running != Range::Inside) {
        FUZZ_CHECK(overflow || running == Range::Edge, "running number did not overflow: \"" + escaped(text) + "\"");
        return 0;
    }

    if (!g.wholeText) {
        // The running whole number, unsigned, unscaled.
        const Range range = rangeOf(sig, 0);
        if (overflow) {
            FUZZ_CHECK(range != Range::Inside, "stopped reading overflowed: \"" + escaped(text) + "\"");
            return 0;
        }
        FUZZ_CHECK(range != Range::Beyond, "no overflow for \"" + escaped(text) + "\"");
        FUZZ_CHECK(!reading.wholeText, "reading did not stop: \"" + escaped(text) + "\"");
        const double expected = sig.empty() ? 0.0 : std::strtod(sig.c_str(), nullptr);
        FUZZ_CHECK(!std::signbit(reading.value) && close(reading.value, expected, sig.size()),
            "stopped at " + std::to_string(reading.value) + " instead of " + std::to_string(expected) + " for \""
                + escaped(text) + "\"");
        return 0;
    }

    const long long power = g.exponent - g.fractionDigits;
    double expected = 0;
    Range range = Range::Inside;
    if (power >= 5120) {
        expected = HUGE_VAL;
    } else if (power <= -5120 || sig.empty()) {
        expected = 0;
    } else {
        range = rangeOf(sig, power);
        if (range != Range::Beyond) {
            const std::string exact = sig + "e" + std::to_string(power);
            expected = std::strtod(exact.c_str(), nullptr);
        }
    }
    if (g.negative)
        expected = -expected;

    if (overflow) {
        FUZZ_CHECK(range != Range::Inside, "overflow for \"" + escaped(text) + "\"");
        return 0;
    }
    FUZZ_CHECK(range != Range::Beyond, "no overflow for \"" + escaped(text) + "\"");
    FUZZ_CHECK(reading.wholeText, "reading stopped: \"" + escaped(text) + "\"");
    FUZZ_CHECK(std::signbit(reading.value) == g.negative, "sign lost: \"" + escaped(text) + "\"");
    if (range == Range::Inside) {
        FUZZ_CHECK(close(reading.value, expected, sig.size()),
            "read " + std::to_string(reading.value) + " instead of " + std::to_string(expected) + " for \""
                + escaped(text) + "\"");
    }
    return 0;
}
