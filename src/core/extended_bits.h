#pragma once

#include <cstdint>

namespace naklon {

// An extended value as the x87 stores it: the form in which the arithmetic
// and its software back-end hand values to each other.
struct ExtendedBits {
    std::uint16_t signExponent = 0; // the sign bit, then the exponent biased by 16383
    std::uint64_t significand = 0;  // with its explicit integer bit
    friend constexpr bool operator==(ExtendedBits, ExtendedBits) = default;
};

} // namespace naklon
