#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "video/BmpBuilder.h"
#include "video/BmpReader.h"

namespace vfe {
namespace {

using testing::BmpBuilder;
using testing::TempDir;

// The silent reader is what the preview trusts with frames that may have been damaged
// after they were written: it must agree with the file or give nothing.
TEST(CheckedBmpReader, GivesTheBlocksOfASoundFile) {
    TempDir dir;
    const BmpBuilder bmp;
    dir.Write("z0.bmp", bmp.File());
    const auto contents = ReadCheckedBmpFile(dir.File("z0.bmp"));
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->infoBlock, bmp.InfoBlock());
    EXPECT_EQ(contents->bits, bmp.Pixels());
}

TEST(CheckedBmpReader, GivesNothingForDamagedOrMissingFiles) {
    TempDir dir;
    auto cut = BmpBuilder().File();
    cut.resize(cut.size() / 2);
    dir.Write("cut.bmp", cut);
    auto forged = BmpBuilder().File();
    forged[18] = forged[19] = forged[20] = 0xFF;  // width far beyond the pixels there are
    dir.Write("forged.bmp", forged);
    dir.Write("text.bmp", std::string("not a bitmap at all"));
    dir.Write("empty.bmp", std::string());
    for (const char* name : {"cut.bmp", "forged.bmp", "text.bmp", "empty.bmp", "missing.bmp"})
        EXPECT_FALSE(ReadCheckedBmpFile(dir.File(name))) << name;
}

}  // namespace
}  // namespace vfe
