#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <string>

// Names for rows of a number table that read the same in every build:
// the shortest text that reads back to the value, with the characters a test
// name cannot hold spelled out.
//   12345.678 -> "12345_678"   -0.04 -> "minus_0_04"   1.5e20 -> "1_5e20"
//   5e-324 -> "5e_minus_324"   -infinity -> "minus_inf"
inline std::string valueName(double value)
{
    char text[32];
    const char *const end = std::to_chars(text, text + sizeof text, value).ptr;
    std::string name;
    for (const char *c = text; c != end; ++c) {
        if (*c == '.')
            name += '_';
        else if (*c == '-')
            name += c == text ? "minus_" : "_minus_";
        else if (*c != '+')
            name += *c;
    }
    return name;
}

// "12345_678_with_1_decimal" for a row that writes a value with a count of
// decimals.
template <typename Row>
std::string valueAndDecimalsName(const testing::TestParamInfo<Row> &info)
{
    const int decimals = info.param.decimals;
    return valueName(info.param.value) + "_with_" + std::to_string(decimals)
        + (decimals == 1 ? "_decimal" : "_decimals");
}
