#include "core/format_result.h"

#include "core/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace naklon {
namespace {

constexpr int kSignificantDigits = 18;

// A magnitude as the digit string d1 d2 ... (no trailing zeros) meaning
// 0.d1d2... x 10^exponent; no digits for zero.
struct Digits {
    std::string digits;
    int exponent = 0;
};

// The exact double written with 18 significant digits, ties to even:
// std::to_chars converts the exact binary value, whatever the C library.
Digits eighteenDigits(double magnitude)
{
    std::array<char, 48> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
        std::chars_format::scientific, kSignificantDigits - 1);
    // "d.ddddddddddddddddde+x..." or "...e-x..."
    const char *exponent = buffer.data() + kSignificantDigits + 2;
    if (*exponent == '+')
        ++exponent;
    Digits result;
    result.digits += buffer[0];
    result.digits.append(buffer.data() + 2, kSignificantDigits - 1);
    [[maybe_unused]] const auto parsed = std::from_chars(exponent, written.ptr, result.exponent);
    ++result.exponent;
    return result;
}

// Cuts the digit string to `decimals` places after the point, rounding half
// away from zero on the digits themselves.
void cutToDecimals(Digits &number, int decimals)
{
    const int kept = number.exponent + decimals;
    if (kept < 0) {
        number.digits.clear();
        return;
    }
    if (kept >= kSignificantDigits)
        return;
    const bool roundUp = number.digits[static_cast<std::size_t>(kept)] >= '5';
    number.digits.resize(static_cast<std::size_t>(kept));
    if (!roundUp)
        return;
    int i = kept - 1;
    for (; i >= 0 && number.digits[static_cast<std::size_t>(i)] == '9'; --i)
        number.digits[static_cast<std::size_t>(i)] = '0';
    if (i >= 0) {
        ++number.digits[static_cast<std::size_t>(i)];
    } else {
        // A carry out of the first digit, or rounding up with no digit kept.
        number.digits.assign(1, '1');
        ++number.exponent;
    }
}

void dropTrailingZeros(std::string &digits)
{
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

std::string groupedInteger(const std::string &integer, const std::string &separator)
{
    std::string grouped;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            grouped += separator;
        grouped += integer[i];
    }
    return grouped;
}

std::string plainForm(const Digits &number, int decimals, const NumberFormat &format)
{
    const auto &digits = number.digits;
    std::string integer = "0";
    std::string fraction;
    if (number.exponent > 0) {
        const auto count = static_cast<std::size_t>(number.exponent);
        integer = digits.substr(0, count);
        integer.resize(count, '0');
        if (digits.size() > count)
            fraction = digits.substr(count);
    } else {
        fraction = std::string(static_cast<std::size_t>(-number.exponent), '0') + digits;
    }
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    return groupedInteger(integer, format.thousandsSeparator) + format.decimalSeparator + fraction;
}

std::string scientificForm(const Digits &number, int decimals, const NumberFormat &format)
{
    std::string text(1, number.digits[0]);
    if (number.digits.size() > 1)
        text += format.decimalSeparator + number.digits.substr(1);
    std::string exponent = std::to_string(number.exponent - 1);
    if (static_cast<int>(exponent.size()) < decimals)
        exponent = std::string(static_cast<std::size_t>(decimals) - exponent.size(), '0') + exponent;
    return text + "E" + exponent;
}

// The shortest digits that read back to `magnitude` (finite, above zero):
// std::to_chars without a precision gives exactly those.
Digits shortestDigits(double magnitude)
{
    std::array<char, 48> buffer{};
    const auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific);
    // "d[.ddd]e+x..." or "d[.ddd]e-x..."
    Digits result;
    const char *c = buffer.data();
    for (; c != written.ptr && *c != 'e'; ++c) {
        if (*c != '.')
            result.digits += *c;
    }
    ++c;
    if (c != written.ptr && *c == '+')
        ++c;
    [[maybe_unused]] const auto parsed = std::from_chars(c, written.ptr, result.exponent);
    ++result.exponent;
    dropTrailingZeros(result.digits);
    return result;
}

} // namespace

std::string formatReadNumber(double value, const NumberFormat &format)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    const Digits number = shortestDigits(std::fabs(value));
    const std::string sign = value < 0 ? "-" : "";
    // 0.d1d2... x 10^exponent: plain from 10^-6 up to below 10^18.
    if (number.exponent > kSignificantDigits || number.exponent < -5)
        return sign + scientificForm(number, 0, format);
    const int decimals = std::max(0, static_cast<int>(number.digits.size()) - number.exponent);
    std::string text = plainForm(number, decimals, format);
    if (decimals == 0)
        text.resize(text.size() - format.decimalSeparator.size());
    return sign + text;
}

std::string formatResult(double value, int decimals, const NumberFormat &format)
{
    std::string text;
    if (std::isinf(value)) {
        text = value < 0 ? "-INF" : "INF";
    } else {
        Digits number;
        if (value != 0) {
            number = eighteenDigits(std::fabs(value));
            cutToDecimals(number, decimals);
            dropTrailingZeros(number.digits);
        }
        const bool negative = value < 0 && !number.digits.empty();
        if (number.digits.empty())
            number.exponent = 0;
        text.assign(negative ? 1 : 0, '-');
        text += number.exponent > kSignificantDigits ? scientificForm(number, decimals, format)
                                                     : plainForm(number, decimals, format);
    }
    const std::size_t width = countCodePoints(text);
    if (width < 3)
        text = std::string(3 - width, ' ') + text;
    return text;
}

} // namespace naklon
