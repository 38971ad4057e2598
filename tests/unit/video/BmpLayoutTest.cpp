#include <gtest/gtest.h>

#include <limits>

#include "support/Fakes.h"
#include "support/TempDir.h"
#include "video/BmpBuilder.h"
#include "video/BmpHeaders.h"
#include "video/cDIB.h"

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

TEST(BmpLayout, AFileWithOverflowingRowsIsRefusedAndKeepsThePreviousBitmap) {
    testing::TempDir dir;
    testing::FakeMessageBoxes messages;
    cDIB dib(messages);
    dir.Write("good.bmp", testing::BmpBuilder{}.File());
    ASSERT_TRUE(dib.CreateFromFile(dir.File("good.bmp")));

    testing::BmpBuilder forged;
    forged.width = kMaxInt;
    forged.height = kMinInt;
    forged.bitCount = 32;
    forged.compression = kBiBitfields;
    forged.sizeImage = 16;
    forged.pixelBytes = 16;
    dir.Write("forged.bmp", forged.File());
    EXPECT_FALSE(dib.CreateFromFile(dir.File("forged.bmp")));
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.SizeImage(), static_cast<std::int32_t>(testing::BmpBuilder{}.RowsSize()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("not a supported bitmap"), std::string::npos);
}

}  // namespace
}  // namespace vfe
