#include "core/sin_degrees.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace naklon {
namespace {

TEST(SinDegrees, GivesTheKnownAngles)
{
    EXPECT_EQ(sinDegrees(90).value(), 1.0L);
    EXPECT_EQ(sinDegrees(-90).value(), -1.0L);
    EXPECT_EQ(sinDegrees(0).value(), 0.0L);
    EXPECT_NEAR(static_cast<double>(sinDegrees(30).value()), 0.5, 1e-18);
    EXPECT_EQ(static_cast<double>(sinDegrees(45).value()), std::sqrt(0.5));
}

TEST(SinDegrees, GivesZeroBeyondTheProcessorRange)
{
    EXPECT_EQ(sinDegrees(6e20).value(), 0.0L);
    EXPECT_EQ(sinDegrees(-6e20).value(), 0.0L);
    EXPECT_EQ(sinDegrees(std::numeric_limits<double>::infinity()).value(), 0.0L);
    EXPECT_NE(sinDegrees(5e20).value(), 0.0L);
}

} // namespace
} // namespace naklon
