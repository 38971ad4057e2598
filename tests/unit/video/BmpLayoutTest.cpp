#include <gtest/gtest.h>

#include <limits>

#include "video/BmpHeaders.h"

namespace vfe {
namespace {

constexpr auto kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr auto kMinInt = std::numeric_limits<std::int32_t>::min();

// Widths and heights from a forged header whose row bytes times rows do not fit 64 bits
// (found by the fuzzer): no size at all, rather than a wrapped one that might look small.
TEST(BmpLayout, RowsTooLargeForAnyFileHaveNoSize) {
    EXPECT_FALSE(UncompressedImageSize(kMaxInt, kMinInt, 32).has_value());
    EXPECT_FALSE(UncompressedImageSize(kMaxInt, kMaxInt, 32).has_value());
    EXPECT_FALSE(UncompressedImageSize(1616904192, 1728905312, 32).has_value());
    ASSERT_TRUE(UncompressedImageSize(kMaxInt, 1, 32).has_value());
    EXPECT_EQ(*UncompressedImageSize(kMaxInt, 1, 32), 4LL * kMaxInt);
    EXPECT_EQ(*UncompressedImageSize(3, kMinInt + 1, 24), 12LL * kMaxInt);
}

}  // namespace
}  // namespace vfe
