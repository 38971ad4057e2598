#include <gtest/gtest.h>

#include <limits>

#include "platform/Rounding.h"

namespace vfe {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbourWithinThirtyTwoBits) {
    EXPECT_EQ(RoundHalfToEvenInt32(640.0), 640);
    EXPECT_EQ(RoundHalfToEvenInt32(0.5), 0);
    EXPECT_EQ(RoundHalfToEvenInt32(1.5), 2);
    EXPECT_EQ(RoundHalfToEvenInt32(2.5), 2);
    EXPECT_EQ(RoundHalfToEvenInt32(2.51), 3);
    EXPECT_EQ(RoundHalfToEvenInt32(-2.5), -2);
    EXPECT_EQ(RoundHalfToEvenInt32(-3.5), -4);
    EXPECT_EQ(RoundHalfToEvenInt32(1e12), 2147483647);
    EXPECT_EQ(RoundHalfToEvenInt32(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundHalfToEven(1e12 + 0.5), 1e12);
}

}  // namespace
}  // namespace vfe
