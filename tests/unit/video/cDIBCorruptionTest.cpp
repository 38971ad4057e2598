#include <gtest/gtest.h>

#include <random>

#include "support/Fakes.h"
#include "support/TempDir.h"
#include "video/BmpBuilder.h"
#include "video/cDIB.h"

namespace vfe {
namespace {

using testing::BmpBuilder;

// Damaged copies of real bitmaps: whatever a load answers, what it holds must agree with
// itself, so that a reader of SizeImage bytes at PointerToBits stays inside the buffer.
TEST(DibCorruption, ALoadEitherRefusesOrHoldsConsistentBlocks) {
    testing::TempDir dir;
    testing::FakeMessageBoxes messages;
    std::mt19937 random(20261207);
    BmpBuilder palette;
    palette.bitCount = 8;
    palette.tableBytes = 1024;
    BmpBuilder masks;
    masks.bitCount = 32;
    masks.compression = kBiBitfields;
    masks.infoSize = 124;
    masks.tableBytes = 12;
    const std::vector<std::vector<std::uint8_t>> originals = {BmpBuilder{}.File(), palette.File(), masks.File()};

    int loaded = 0;
    for (int round = 0; round < 600; ++round) {
        auto bytes = originals[round % originals.size()];
        const int damages = 1 + static_cast<int>(random() % 4);
        for (int d = 0; d < damages; ++d) {
            // Mostly header bytes, where the trust decisions are made.
            const std::size_t at = random() % 2 ? random() % 54 : random() % bytes.size();
            bytes[at] = static_cast<std::uint8_t>(random());
        }
        if (random() % 5 == 0) bytes.resize(random() % bytes.size());
        dir.Write("f.bmp", bytes);

        cDIB dib(messages);
        if (!dib.CreateFromFile(dir.File("f.bmp"))) continue;
        ++loaded;
        ASSERT_GE(dib.SizeImage(), 1) << round;
        ASSERT_EQ(dib.SizeBitmapInfo(), dib.BitOffset() - 14) << round;
        ASSERT_LE(static_cast<std::size_t>(dib.BitOffset()) + dib.SizeImage(), bytes.size()) << round;
        if (dib.Compression() == kBiRgb || dib.Compression() == kBiBitfields) {
            const auto rows = UncompressedImageSize(dib.Width(), dib.Height(), dib.BitCount());
            ASSERT_TRUE(rows.has_value()) << round;
            ASSERT_GE(dib.SizeImage(), *rows) << round;
        }
        const std::vector<std::uint8_t> held(dib.PointerToBits(), dib.PointerToBits() + dib.SizeImage());
        ASSERT_TRUE(std::equal(held.begin(), held.end(), bytes.begin() + dib.BitOffset())) << round;
    }
    EXPECT_GT(loaded, 0);  // some damage is harmless, and such files still load
}

}  // namespace
}  // namespace vfe
