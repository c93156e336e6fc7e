#include "core/read_number.h"

#include "core/extended.h"
#include "core/powers_of_ten.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace naklon {
namespace {

constexpr int kPowerLimit = 5120;
// Saturates long exponent digit strings. It lies beyond any text's number of
// fraction digits plus the power limit, so a saturated exponent still gives
// a power of at least the limit, as the exact one would.
constexpr std::int64_t kExponentCeiling = 1000000000000000;

// Scales the whole number by ten to the power, as three factors applied in
// order, each step rounded to extended precision.
Extended scaleByPowerOfTen(Extended number, int power)
{
    const int k = power < 0 ? -power : power;
    const std::array<ExtendedBits, 3> factors = {kTenToThe[k % 32], kTenToThe32Times[(k / 32) % 16],
        kTenToThe512Times[k / 512]};
    for (const ExtendedBits bits : factors) {
        const Extended factor = Extended::fromBits(bits);
        number = power < 0 ? number / factor : number * factor;
    }
    return number;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

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
            number_ = number_ * Extended(10) + Extended(text_[pos_] - '0');
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
            value = Extended(HUGE_VAL);
        else if (power <= -kPowerLimit)
            value = Extended(0);
        else if (power != 0)
            value = scaleByPowerOfTen(number_, static_cast<int>(power));
        if (negative)
            value = -value;
        return value.toDouble();
    }

    NumberReading stopped() const { return {number_.toDouble(), false}; }

    std::string_view text_;
    std::size_t pos_ = 0;
    Extended number_{0};
    std::int64_t fractionDigits_ = 0;
};

} // namespace

NumberReading readNumber(std::string_view text)
{
    return Reader(text).read();
}

} // namespace naklon
