#include "core/read_number.h"

#include "core/extended.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace naklon {
namespace {

// Powers of ten at extended precision, each the value nearest to the exact
// power: 10^0..10^31, 10^(32*i) for i < 16, 10^(512*i) for i < 10.
struct PowersOfTen {
    std::array<long double, 32> ones{};
    std::array<long double, 16> thirtyTwos{};
    std::array<long double, 10> fiveTwelves{};

    PowersOfTen()
    {
        for (int i = 0; i < 32; ++i)
            ones[i] = exactPower(i);
        for (int i = 0; i < 16; ++i)
            thirtyTwos[i] = exactPower(32 * i);
        for (int i = 0; i < 10; ++i)
            fiveTwelves[i] = exactPower(512 * i);
    }

    static long double exactPower(int power)
    {
        // The C library's conversion is correctly rounded.
        return std::strtold(("1e" + std::to_string(power)).c_str(), nullptr);
    }
};

const PowersOfTen &powersOfTen()
{
    static const PowersOfTen powers;
    return powers;
}

constexpr int kPowerLimit = 5120;
// Saturates long exponent digit strings. It lies beyond any text's number of
// fraction digits plus the power limit, so a saturated exponent still gives
// a power of at least the limit, as the exact one would.
constexpr std::int64_t kExponentCeiling = 1000000000000000;

// Scales the whole number by ten to the power, as three factors applied in
// order, each step rounded to extended precision.
Extended scaleByPowerOfTen(Extended number, int power)
{
    const PowersOfTen &powers = powersOfTen();
    const int k = power < 0 ? -power : power;
    const std::array<long double, 3> factors = {
        powers.ones[k % 32], powers.thirtyTwos[(k / 32) % 16], powers.fiveTwelves[k / 512]};
    for (const long double factor : factors)
        number = power < 0 ? number / factor : number * factor;
    return number;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    NumberReading read()
    {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
            negative = text_[pos_++] == '-';
        if (atEnd())
            return {0.0, true};
        readDigits(false);
        if (!atEnd() && text_[pos_] == '.') {
            ++pos_;
            readDigits(true);
        }
        std::int64_t exponent = 0;
        if (!atEnd() && (text_[pos_] == 'E' || text_[pos_] == 'e')) {
            if (!readExponent(exponent))
                return stopped();
        }
        if (!atEnd())
            return stopped();
        return {finish(negative, exponent), true};
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }

    void readDigits(bool fraction)
    {
        while (!atEnd() && isDigit(text_[pos_])) {
            number_ = number_ * Extended(10.0L) + Extended(text_[pos_] - '0');
            fractionDigits_ += fraction;
            ++pos_;
        }
    }

    // Reads "E", an optional sign and at least one digit; false when the
    // exponent has no digit.
    bool readExponent(std::int64_t &exponent)
    {
        ++pos_;
        bool negative = false;
        if (!atEnd() && (text_[pos_] == '-' || text_[pos_] == '+'))
            negative = text_[pos_++] == '-';
        if (atEnd() || !isDigit(text_[pos_]))
            return false;
        while (!atEnd() && isDigit(text_[pos_])) {
            exponent = std::min(exponent * 10 + (text_[pos_] - '0'), kExponentCeiling);
            ++pos_;
        }
        if (negative)
            exponent = -exponent;
        return true;
    }

    double finish(bool negative, std::int64_t exponent) const
    {
        const std::int64_t power = exponent - fractionDigits_;
        Extended value = number_;
        if (power >= kPowerLimit)
            value = Extended(HUGE_VALL);
        else if (power <= -kPowerLimit)
            value = Extended(0.0L);
        else if (power != 0)
            value = scaleByPowerOfTen(number_, static_cast<int>(power));
        if (negative)
            value = -value;
        return value.toDouble();
    }

    NumberReading stopped() const { return {number_.toDouble(), false}; }

    std::string_view text_;
    std::size_t pos_ = 0;
    Extended number_{0.0L};
    std::int64_t fractionDigits_ = 0;
};

} // namespace

NumberReading readNumber(std::string_view text)
{
    return Reader(text).read();
}

} // namespace naklon
