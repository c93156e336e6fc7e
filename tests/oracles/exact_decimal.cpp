#include "oracles/exact_decimal.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace naklon::reference {
namespace {

// Unsigned big integers in base 10^9, least significant limb first.
using Limbs = std::vector<std::uint32_t>;
constexpr std::uint64_t kBase = 1000000000;

Limbs multiplySmall(const Limbs &a, std::uint32_t factor)
{
    Limbs product;
    product.reserve(a.size() + 1);
    std::uint64_t carry = 0;
    for (const std::uint32_t limb : a) {
        const std::uint64_t t = std::uint64_t{limb} * factor + carry;
        product.push_back(static_cast<std::uint32_t>(t % kBase));
        carry = t / kBase;
    }
    while (carry != 0) {
        product.push_back(static_cast<std::uint32_t>(carry % kBase));
        carry /= kBase;
    }
    return product;
}

// a x m for a 53-bit m, split into two limbs of base 10^9.
Limbs multiplyMantissa(const Limbs &a, std::uint64_t m)
{
    const std::uint64_t m0 = m % kBase;
    const std::uint64_t m1 = m / kBase;
    std::vector<std::uint64_t> columns(a.size() + 3, 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        columns[i] += std::uint64_t{a[i]} * m0 % kBase;
        columns[i + 1] += std::uint64_t{a[i]} * m0 / kBase;
        columns[i + 1] += std::uint64_t{a[i]} * m1 % kBase;
        columns[i + 2] += std::uint64_t{a[i]} * m1 / kBase;
    }
    Limbs product;
    std::uint64_t carry = 0;
    for (const std::uint64_t column : columns) {
        const std::uint64_t t = column + carry;
        product.push_back(static_cast<std::uint32_t>(t % kBase));
        carry = t / kBase;
    }
    while (product.size() > 1 && product.back() == 0)
        product.pop_back();
    return product;
}

// powers[k] = base^k for k = 0 .. count-1.
std::vector<Limbs> powerTable(std::uint32_t base, int count)
{
    std::vector<Limbs> powers;
    powers.reserve(static_cast<std::size_t>(count));
    powers.push_back(Limbs{1});
    for (int k = 1; k < count; ++k)
        powers.push_back(multiplySmall(powers.back(), base));
    return powers;
}

const std::vector<Limbs> &powersOfTwo()
{
    static const std::vector<Limbs> table = powerTable(2, 972); // largest: 2^971
    return table;
}

const std::vector<Limbs> &powersOfFive()
{
    static const std::vector<Limbs> table = powerTable(5, 1075); // largest: 5^1074
    return table;
}

std::string toDecimalString(const Limbs &a)
{
    std::string text = std::to_string(a.back());
    for (std::size_t i = a.size() - 1; i-- > 0;) {
        const std::string limb = std::to_string(a[i]);
        text.append(9 - limb.size(), '0');
        text += limb;
    }
    return text;
}

} // namespace

ExactDecimal exactDecimal(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074; // magnitude = m x 2^e
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    ExactDecimal result;
    if (m == 0)
        return result;
    if (e >= 0) {
        result.digits = toDecimalString(multiplyMantissa(powersOfTwo()[static_cast<std::size_t>(e)], m));
        result.point = static_cast<int>(result.digits.size());
    } else {
        // m x 2^e = m x 5^-e / 10^-e
        result.digits = toDecimalString(multiplyMantissa(powersOfFive()[static_cast<std::size_t>(-e)], m));
        result.point = static_cast<int>(result.digits.size()) + e;
    }
    while (result.digits.back() == '0')
        result.digits.pop_back();
    return result;
}

namespace {

// Adds one in the last place of a digit string; true when it carries out of
// the first digit (the string is then all zeros).
bool incrementLastPlace(std::vector<int> &digits)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] < 9) {
            ++digits[i];
            return false;
        }
        digits[i] = 0;
    }
    return true;
}

std::string digitsText(const std::vector<int> &digits, std::size_t from, std::size_t to)
{
    std::string text;
    for (std::size_t i = from; i < to; ++i)
        text += i < digits.size() ? static_cast<char>('0' + digits[i]) : '0';
    return text;
}

std::size_t codePointCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

std::string referenceFormat(
    double value, int decimals, std::string_view decimalSeparator, std::string_view thousandsSeparator)
{
    std::string text;
    if (std::isinf(value)) {
        text = value < 0 ? "-INF" : "INF";
    } else {
        const ExactDecimal exact = exactDecimal(value);
        std::vector<int> digits;
        for (const char c : exact.digits)
            digits.push_back(c - '0');
        int e = exact.point;

        // 18 significant digits, ties to even on the exact remainder.
        if (digits.size() > 18) {
            const int next = digits[18];
            bool restNonZero = false;
            for (std::size_t i = 19; i < digits.size(); ++i)
                restNonZero = restNonZero || digits[i] != 0;
            const bool up = next > 5 || (next == 5 && (restNonZero || digits[17] % 2 == 1));
            digits.resize(18);
            if (up && incrementLastPlace(digits)) {
                digits.assign(1, 1);
                ++e;
            }
        }

        // Cut to `decimals` places, half away from zero on the digits.
        const int keep = e + decimals;
        if (!digits.empty() && keep < 0) {
            digits.clear();
        } else if (!digits.empty() && keep < static_cast<int>(digits.size())) {
            const bool up = digits[static_cast<std::size_t>(keep)] >= 5;
            digits.resize(static_cast<std::size_t>(keep));
            if (up && (digits.empty() || incrementLastPlace(digits))) {
                digits.assign(1, 1);
                ++e;
            }
        }
        while (!digits.empty() && digits.back() == 0)
            digits.pop_back();

        if (digits.empty()) {
            text = "0" + std::string(decimalSeparator) + std::string(static_cast<std::size_t>(decimals), '0');
        } else if (e > 18) {
            text = value < 0 ? "-" : "";
            text += static_cast<char>('0' + digits[0]);
            if (digits.size() > 1)
                text += std::string(decimalSeparator) + digitsText(digits, 1, digits.size());
            std::string power = std::to_string(e - 1);
            while (static_cast<int>(power.size()) < decimals)
                power.insert(power.begin(), '0');
            text += "E" + power;
        } else {
            text = value < 0 ? "-" : "";
            const std::string integer = e <= 0 ? "0" : digitsText(digits, 0, static_cast<std::size_t>(e));
            for (std::size_t i = 0; i < integer.size(); ++i) {
                const std::size_t fromRight = integer.size() - i;
                text += integer[i];
                if (fromRight > 1 && fromRight % 3 == 1)
                    text += thousandsSeparator;
            }
            text += decimalSeparator;
            // Places: the digit at place p (1-based after the point) is the
            // digit with index e + p - 1 of the string, or 0 outside it.
            for (int place = 1; place <= decimals; ++place) {
                const int index = e + place - 1;
                text += index >= 0 && index < static_cast<int>(digits.size())
                    ? static_cast<char>('0' + digits[static_cast<std::size_t>(index)])
                    : '0';
            }
        }
    }
    const std::size_t width = codePointCount(text);
    if (width < 3)
        text.insert(0, 3 - width, ' ');
    return text;
}

} // namespace naklon::reference
