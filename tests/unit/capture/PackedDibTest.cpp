#include <gtest/gtest.h>

#include <cstring>

#include "capture/PackedDib.h"
#include "support/CaptureFakes.h"

namespace vfe {
namespace {

std::uint32_t At32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}
void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}
void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

TEST(PackedDib, SplitsATrueColourBitmapAndFillsInItsImageSize) {
    auto packed = testing::PackedBitmap32(3, 2, 0xAB);
    packed.push_back(0);  // a clipboard block may be rounded up: the tail is not a pixel
    const auto split = SplitPackedDib(packed);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->bitmapInfo.size(), 40u);
    EXPECT_EQ(At32(split->bitmapInfo, 20), 24u);
    EXPECT_EQ(split->bits.size(), 24u);
    EXPECT_EQ(split->bits.data(), packed.data() + 40);
}

TEST(PackedDib, KeepsColourTablesAndMasksInTheInformationBlock) {
    auto paletted = testing::PackedBitmap32(4, 2, 1);
    Put16(paletted, 14, 8);  // 8 bits: 256 colours by default, rows of 4 bytes
    paletted.resize(40 + 1024 + 8, 1);
    auto split = SplitPackedDib(paletted);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->bitmapInfo.size(), 1064u);
    EXPECT_EQ(split->bits.size(), 8u);

    Put32(paletted, 32, 16);  // 16 colours used
    split = SplitPackedDib(paletted);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->bitmapInfo.size(), 40u + 64u);

    auto masked = testing::PackedBitmap32(2, 2, 0);
    Put16(masked, 14, 16);
    Put32(masked, 16, 3);  // bit fields: three masks after the header
    masked.resize(40 + 12 + 8);
    split = SplitPackedDib(masked);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->bitmapInfo.size(), 52u);
    EXPECT_EQ(split->bits.size(), 8u);
}

TEST(PackedDib, RefusesWhatItCannotTrust) {
    const auto good = testing::PackedBitmap32(2, 2, 0);
    auto bad = [&](auto change) {
        auto bytes = good;
        change(bytes);
        return !SplitPackedDib(bytes);
    };
    EXPECT_TRUE(bad([](auto& b) { b.resize(39); }));
    EXPECT_TRUE(bad([](auto& b) { b.pop_back(); }));                    // one pixel byte short
    EXPECT_TRUE(bad([](auto& b) { Put32(b, 0, 12); }));                 // header too small
    EXPECT_TRUE(bad([](auto& b) { Put32(b, 0, 4000); }));               // header longer than the data
    EXPECT_TRUE(bad([](auto& b) { Put32(b, 4, 0); }));                  // no width
    EXPECT_TRUE(bad([](auto& b) { Put32(b, 4, 0x80000000u); }));        // negative width
    EXPECT_TRUE(bad([](auto& b) { Put32(b, 8, 0); }));                  // no height
    EXPECT_TRUE(bad([](auto& b) { Put32(b, 4, 0x7FFFFFFF); Put32(b, 8, 0x7FFFFFFF); }));  // no overflow
    EXPECT_TRUE(bad([](auto& b) { Put16(b, 14, 7); }));                 // no such depth
    EXPECT_TRUE(bad([](auto& b) { Put32(b, 16, 4); }));                 // JPEG inside
    EXPECT_TRUE(bad([](auto& b) { Put16(b, 14, 8); Put32(b, 32, 300); }));  // more colours than 8 bits hold
    EXPECT_TRUE(SplitPackedDib(good));
}

}  // namespace
}  // namespace vfe
