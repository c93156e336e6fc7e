// formatResult on arbitrary 64-bit patterns, every decimal count and several
// separator settings, against the exact reference.

#include "fuzz_support.h"

#include "oracles/exact_decimal.h"

#include "core/format_result.h"
#include "core/read_number.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <string>

namespace {

using naklon::fuzz::containsNan;
using naklon::fuzz::escaped;

const naklon::NumberFormat kFormats[] = {
    {".", ","}, {",", " "}, {",", "\u00A0"},   // no-break space, two bytes in UTF-8
    {".", ""}, {"", ""}, {"\u0436", "\u2116"}, // any one Windows-1251 character may stand in
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 9)
        return 0;
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    const double value = std::bit_cast<double>(bits);
    // No operation of a calculation lets a NaN reach the formatting.
    if (std::isnan(value))
        return 0;
    const int decimals = 1 + data[8] % 3;
    const naklon::NumberFormat &format = kFormats[(data[8] / 3) % std::size(kFormats)];

    const std::string text = naklon::formatResult(value, decimals, format);
    const std::string expected =
        naklon::reference::referenceFormat(value, decimals, format.decimalSeparator, format.thousandsSeparator);
    const std::string where = "value bits " + std::to_string(bits) + ", " + std::to_string(decimals) + " decimals";
    FUZZ_CHECK(text == expected, where + ": \"" + escaped(text) + "\", reference \"" + escaped(expected) + "\"");
    FUZZ_CHECK(!containsNan(text), where + ": " + escaped(text));
    FUZZ_CHECK(naklon::fuzz::iconvEncodable1251(text), where + ": not Windows-1251: " + escaped(text));

    // Plain results written with "." and no grouping read back to within half
    // a unit of their last decimal.
    if (format.decimalSeparator == "." && format.thousandsSeparator.empty() && std::fabs(value) < 1e18) {
        const naklon::NumberReading reading = naklon::readNumber(text);
        const double allowance = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 4e-16;
        FUZZ_CHECK(reading.wholeText && std::fabs(reading.value - value) <= allowance,
            where + ": wrote " + text + ", read back " + std::to_string(reading.value));
    }
    return 0;
}
