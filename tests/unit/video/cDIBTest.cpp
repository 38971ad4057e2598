#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <sys/resource.h>

#include "support/Fakes.h"
#include "support/TempDir.h"
#include "video/BmpBuilder.h"
#include "video/BmpFile.h"
#include "video/cDIB.h"

namespace vfe {
namespace {

using testing::BmpBuilder;
using testing::FakeMessageBoxes;
using testing::TempDir;

std::vector<std::uint8_t> Held(const std::uint8_t* data, std::int32_t size) { return {data, data + size}; }
std::vector<std::uint8_t> HeldBits(const cDIB& dib) { return Held(dib.PointerToBits(), dib.SizeImage()); }
std::vector<std::uint8_t> HeldInfo(const cDIB& dib) { return Held(dib.PointerToBitmapInfo(), dib.SizeBitmapInfo()); }

class DibFiles : public ::testing::Test {
protected:
    std::string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        dir.Write(name, bytes);
        return dir.File(name);
    }
    TempDir dir;
    FakeMessageBoxes messages;
    cDIB dib{messages};
};

TEST_F(DibFiles, Loads24BitBitmapWithItsHeadersAndPixels) {
    BmpBuilder bmp;  // 3 x 2, rows padded from 9 to 12 bytes
    const auto path = Put("a.bmp", bmp.File());
    ASSERT_TRUE(dib.CreateFromFile(path));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.BitCount(), 24);
    EXPECT_EQ(dib.Planes(), 1);
    EXPECT_EQ(dib.Compression(), 0);
    EXPECT_EQ(dib.SizeInfoHeader(), 40);
    EXPECT_EQ(dib.SizeImage(), 24);
    EXPECT_EQ(dib.XPPM(), 2835);
    EXPECT_EQ(dib.YPPM(), 2836);
    EXPECT_EQ(dib.ClrUsed(), 7);
    EXPECT_EQ(dib.ClrImportant(), 5);
    EXPECT_EQ(dib.FileType(), 19778);
    EXPECT_EQ(dib.SizeFileHeader(), 14 + 40 + 24);  // the whole file, not the header
    EXPECT_EQ(dib.BitOffset(), 54);
    EXPECT_EQ(dib.SizeBitmapInfo(), 40);
    EXPECT_EQ(HeldInfo(dib), bmp.InfoBlock());
    EXPECT_EQ(HeldBits(dib), bmp.Pixels());
}

TEST_F(DibFiles, KeepsColourTablesAndLongerInfoHeadersUpToThePixels) {
    BmpBuilder palette;
    palette.bitCount = 8;
    palette.tableBytes = 1024;
    ASSERT_TRUE(dib.CreateFromFile(Put("p.bmp", palette.File())));
    EXPECT_EQ(dib.BitOffset(), 1078);
    EXPECT_EQ(dib.SizeBitmapInfo(), 1064);
    EXPECT_EQ(HeldInfo(dib), palette.InfoBlock());
    EXPECT_EQ(HeldBits(dib), palette.Pixels());

    for (std::int32_t version : {108, 124}) {  // V4 and V5 headers, with bit-field masks behind
        BmpBuilder longer;
        longer.bitCount = 32;
        longer.compression = kBiBitfields;
        longer.infoSize = version;
        longer.tableBytes = 12;
        longer.seed = 9;
        ASSERT_TRUE(dib.CreateFromFile(Put("v.bmp", longer.File()))) << version;
        EXPECT_EQ(dib.SizeInfoHeader(), version);
        EXPECT_EQ(dib.SizeBitmapInfo(), version + 12);
        EXPECT_EQ(HeldInfo(dib), longer.InfoBlock());
        EXPECT_EQ(HeldBits(dib), longer.Pixels());
    }
}

TEST_F(DibFiles, ComputesAMissingImageSizeForPlainRowsAndTakesTopDownRows) {
    BmpBuilder bmp;
    bmp.width = 5;  // 15 bytes a row, padded to 16
    bmp.height = -3;
    bmp.sizeImage = 0;
    ASSERT_TRUE(dib.CreateFromFile(Put("z.bmp", bmp.File())));
    EXPECT_EQ(dib.SizeImage(), 48);
    EXPECT_EQ(HeldBits(dib), bmp.Pixels());
    // The information block says the same as the property.
    const auto info = HeldInfo(dib);
    EXPECT_EQ(UnpackInfoHeader(std::span<const std::uint8_t, 40>(info.data(), 40)).biSizeImage, 48);

    BmpBuilder padded;  // a larger image size than the rows need is taken as stored
    padded.sizeImage = 30;
    padded.pixelBytes = 30;
    ASSERT_TRUE(dib.CreateFromFile(Put("padded.bmp", padded.File())));
    EXPECT_EQ(dib.SizeImage(), 30);

    BmpBuilder rle;  // compressed pixels: any bit count, the stored size
    rle.bitCount = 8;
    rle.compression = 1;
    rle.tableBytes = 8;
    rle.sizeImage = 5;
    rle.pixelBytes = 5;
    ASSERT_TRUE(dib.CreateFromFile(Put("rle.bmp", rle.File())));
    EXPECT_EQ(HeldBits(dib), rle.Pixels());
}

TEST_F(DibFiles, RefusesEveryFileItCannotTrustAndKeepsThePreviousBitmap) {
    BmpBuilder good;
    good.seed = 42;
    ASSERT_TRUE(dib.CreateFromFile(Put("good.bmp", good.File())));

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change) {
        BmpBuilder bmp;
        bmp.width = 2;
        bmp.height = 4;
        change(bmp);
        cases.push_back({what, bmp.File()});
    };
    add("not BM", [](BmpBuilder& b) { b.type = 0x4142; });
    add("pixels before the headers end", [](BmpBuilder& b) { b.offBits = 50; });
    add("pixels beyond the end of the file", [](BmpBuilder& b) { b.offBits = 1000; });
    add("negative pixel offset", [](BmpBuilder& b) { b.offBits = -5; });
    add("core header of 12 bytes", [](BmpBuilder& b) { b.infoSize = 12; });
    add("info header running into the pixels", [](BmpBuilder& b) { b.infoSize = 124; b.offBits = 100; });
    add("negative image size", [](BmpBuilder& b) { b.compression = 1; b.bitCount = 8; b.sizeImage = -1; });
    add("image size beyond the file", [](BmpBuilder& b) { b.sizeImage = 25; });
    add("huge image size", [](BmpBuilder& b) { b.sizeImage = 0x7FFFFFFF; });
    add("fewer pixel bytes than the rows need", [](BmpBuilder& b) { b.sizeImage = 20; b.pixelBytes = 20; });
    add("file shorter than its pixels", [](BmpBuilder& b) { b.pixelBytes = 10; });
    add("zero width", [](BmpBuilder& b) { b.width = 0; b.sizeImage = 8; b.pixelBytes = 8; });
    add("negative width", [](BmpBuilder& b) { b.width = -2; b.sizeImage = 8; b.pixelBytes = 8; });
    add("zero height", [](BmpBuilder& b) { b.height = 0; b.sizeImage = 8; b.pixelBytes = 8; });
    add("bit depth 0 for plain rows", [](BmpBuilder& b) { b.bitCount = 0; b.sizeImage = 16; b.pixelBytes = 16; });
    add("bit depth 48 for plain rows", [](BmpBuilder& b) { b.bitCount = 48; b.sizeImage = 64; b.pixelBytes = 64; });
    add("compressed with no image size", [](BmpBuilder& b) { b.compression = 1; b.bitCount = 8; b.sizeImage = 0; });
    add("rows overflowing 64 bits", [](BmpBuilder& b) {  // found by the fuzzer
        b.width = std::numeric_limits<std::int32_t>::max();
        b.height = std::numeric_limits<std::int32_t>::min();
        b.bitCount = 32;
        b.compression = kBiBitfields;
        b.sizeImage = 16;
        b.pixelBytes = 16;
    });
    cases.push_back({"shorter than the file header", {'B', 'M', 1, 2, 3}});
    const auto goodBytes = good.File();
    cases.push_back({"shorter than the info header", {goodBytes.begin(), goodBytes.begin() + 30}});
    cases.push_back({"empty file", {}});

    for (const auto& c : cases) {
        messages.shown.clear();
        const auto path = Put("bad.bmp", c.bytes);
        EXPECT_FALSE(dib.CreateFromFile(path)) << c.what;
        ASSERT_EQ(messages.shown.size(), 1u) << c.what;
        EXPECT_EQ(messages.shown[0].text, "File is not a supported bitmap format:\r\n" + path) << c.what;
        EXPECT_EQ(messages.shown[0].title, "Velmoran Front-End2");
        EXPECT_EQ(messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Information);
        EXPECT_EQ(dib.Width(), 3) << c.what;
        EXPECT_EQ(dib.Height(), 2) << c.what;
        EXPECT_EQ(HeldBits(dib), good.Pixels()) << c.what;
        EXPECT_EQ(HeldInfo(dib), good.InfoBlock()) << c.what;
    }
}

TEST_F(DibFiles, AWrongTypeShowsTheRejectedFileHeaderOverThePreviousBitmap) {
    BmpBuilder good;
    ASSERT_TRUE(dib.CreateFromFile(Put("good.bmp", good.File())));
    BmpBuilder other;
    other.type = 0x1234;
    other.width = 9;
    other.offBits = 77;
    ASSERT_FALSE(dib.CreateFromFile(Put("other.bmp", other.File())));
    EXPECT_EQ(dib.FileType(), 0x1234);
    EXPECT_EQ(dib.BitOffset(), 77);
    EXPECT_EQ(dib.SizeFileHeader(), static_cast<std::int32_t>(other.File().size()));
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(HeldBits(dib), good.Pixels());
}

TEST_F(DibFiles, SaysWhenTheFileDoesNotExist) {
    for (const auto& path : {dir.File("missing.bmp"), dir.str()}) {  // a folder is no file either
        messages.shown.clear();
        EXPECT_FALSE(dib.CreateFromFile(path));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "File does not exist:\r\n" + path);
        EXPECT_EQ(messages.shown[0].title, "Velmoran Front-End2");
        EXPECT_EQ(messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Critical);
    }
}

TEST_F(DibFiles, TellsALockedFileFromOtherFailuresToOpen) {
    ShowOpenFailure(messages, EACCES, "C:\\x\\z0.bmp");
    const auto path = Put("a.bmp", BmpBuilder{}.File());
    rlimit previous{};  // no file descriptor left: the open fails, even for root
    getrlimit(RLIMIT_NOFILE, &previous);
    rlimit none{0, previous.rlim_max};
    setrlimit(RLIMIT_NOFILE, &none);
    const bool loaded = dib.CreateFromFile(path);
    setrlimit(RLIMIT_NOFILE, &previous);
    EXPECT_FALSE(loaded);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "File is locked - cannot access:\r\nC:\\x\\z0.bmp");
    EXPECT_EQ(messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Critical);
    EXPECT_EQ(messages.shown[1].text, std::strerror(EMFILE));
    EXPECT_EQ(messages.shown[1].flags, MsgBox::OkOnly | MsgBox::Information);
    EXPECT_EQ(messages.shown[1].title, "Velmoran Front-End2");
}

TEST(DibNew, HasZeroPropertiesAndNoBuffers) {
    FakeMessageBoxes messages;
    cDIB dib(messages);
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.SizeImage(), 0);
    EXPECT_EQ(dib.FileType(), 0);
    EXPECT_EQ(dib.BitOffset(), 0);
    EXPECT_THROW(dib.PointerToBits(), std::out_of_range);
    EXPECT_THROW(dib.PointerToBitmapInfo(), std::out_of_range);
    EXPECT_THROW(dib.SizeBitmapInfo(), std::out_of_range);
}

std::vector<std::uint8_t> Packed(std::int16_t bitCount, std::int32_t sizeImage, std::size_t pixelBytes) {
    BmpInfoHeader info;
    info.biSize = 40;
    info.biWidth = 2;
    info.biHeight = 2;
    info.biBitCount = bitCount;
    info.biSizeImage = sizeImage;
    const auto header = PackInfoHeader(info);
    std::vector<std::uint8_t> packed(header.begin(), header.end());
    for (std::size_t i = 0; i < pixelBytes; ++i) packed.push_back(static_cast<std::uint8_t>(i + 1));
    return packed;
}

TEST(DibPacked, TakesOverAHeaderAndThePixelsRightBehindIt) {
    FakeMessageBoxes messages;
    cDIB dib(messages);
    const auto packed = Packed(32, 16, 28);  // 12 bytes of masks ride along as pixels
    ASSERT_TRUE(dib.CreateFromPackedDIBPointer(packed.data()));
    EXPECT_EQ(dib.SizeBitmapInfo(), 40);
    EXPECT_EQ(HeldInfo(dib), std::vector<std::uint8_t>(packed.begin(), packed.begin() + 40));
    EXPECT_EQ(HeldBits(dib), std::vector<std::uint8_t>(packed.begin() + 40, packed.begin() + 56));
    EXPECT_EQ(dib.FileType(), 0x4D42);
    EXPECT_EQ(dib.SizeFileHeader(), 54 + 16);
    EXPECT_EQ(dib.BitOffset(), 54);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(DibPacked, RefusesLowBitDepthsEmptyImagesAndShortBlocksSilently) {
    FakeMessageBoxes messages;
    cDIB dib(messages);
    const auto first = Packed(24, 12, 12);
    ASSERT_TRUE(dib.CreateFromPackedDIB(first));

    const auto eightBit = Packed(8, 12, 12);
    EXPECT_FALSE(dib.CreateFromPackedDIBPointer(eightBit.data()));
    EXPECT_EQ(dib.BitCount(), 24);  // nothing changes: a header over pixels it does not own would mislead
    EXPECT_EQ(HeldBits(dib), std::vector<std::uint8_t>(first.begin() + 40, first.end()));
    EXPECT_EQ(dib.SizeFileHeader(), 54 + 12);

    EXPECT_FALSE(dib.CreateFromPackedDIBPointer(Packed(24, 0, 0).data()));
    EXPECT_FALSE(dib.CreateFromPackedDIBPointer(nullptr));
    EXPECT_FALSE(dib.CreateFromPackedDIB(Packed(24, 100, 12)));  // claims more than the block holds
    EXPECT_FALSE(dib.CreateFromPackedDIB(std::vector<std::uint8_t>(20, 0)));
    EXPECT_EQ(dib.SizeImage(), 12);
    EXPECT_EQ(HeldBits(dib), std::vector<std::uint8_t>(first.begin() + 40, first.end()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DibFiles, WritesWhatItHoldsAndCutsOffALongerOldFile) {
    BmpBuilder palette;
    palette.bitCount = 8;
    palette.width = 7;
    palette.tableBytes = 1024;
    const auto original = palette.File();
    ASSERT_TRUE(dib.CreateFromFile(Put("in.bmp", original)));
    Put("out.bmp", std::vector<std::uint8_t>(original.size() + 5000, 0xEE));
    ASSERT_TRUE(dib.WriteToFile(dir.File("out.bmp")));
    EXPECT_EQ(dir.Read("out.bmp"), original);

    const auto packed = Packed(16, 8, 8);
    ASSERT_TRUE(dib.CreateFromPackedDIB(packed));
    ASSERT_TRUE(dib.WriteToFile(dir.File("packed.bmp")));
    cDIB reread(messages);
    ASSERT_TRUE(reread.CreateFromFile(dir.File("packed.bmp")));
    EXPECT_EQ(HeldBits(reread), std::vector<std::uint8_t>(packed.begin() + 40, packed.end()));
}

TEST_F(DibFiles, WriteFailsWithNothingHeldOrNowhereToWrite) {
    Put("keep.bmp", {1, 2, 3});
    EXPECT_FALSE(dib.WriteToFile(dir.File("keep.bmp")));
    EXPECT_EQ(dir.Read("keep.bmp"), (std::vector<std::uint8_t>{1, 2, 3}));

    ASSERT_TRUE(dib.CreateFromFile(Put("a.bmp", BmpBuilder{}.File())));
    EXPECT_FALSE(dib.WriteToFile(dir.File("no-such-folder/out.bmp")));
    EXPECT_FALSE(dib.WriteToFile(dir.str()));
}

TEST(BmpFileWriter, MakesTheFileHeaderAndFillsInTheImageSize) {
    TempDir dir;
    BmpBuilder frame;
    frame.width = 4;
    frame.height = 3;
    frame.bitCount = 32;
    frame.compression = kBiBitfields;  // with its colour masks between the header and the pixels
    frame.tableBytes = 12;
    frame.sizeImage = 0;  // as a screen grab leaves it
    const auto info = frame.InfoBlock();
    const auto pixels = frame.Pixels();
    ASSERT_TRUE(WriteBmpFile(dir.File("z0.bmp"), info, pixels));

    const auto bytes = dir.Read("z0.bmp");
    ASSERT_EQ(bytes.size(), 66u + 48u);
    const auto header = UnpackFileHeader(std::span<const std::uint8_t, 14>(bytes.data(), 14));
    EXPECT_EQ(header.bfType, 0x4D42);
    EXPECT_EQ(header.bfSize, 114);
    EXPECT_EQ(header.bfOffBits, 66);
    EXPECT_EQ(header.bfReserved1, 0);
    EXPECT_EQ(UnpackInfoHeader(std::span<const std::uint8_t, 40>(bytes.data() + 14, 40)).biSizeImage, 48);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 66, bytes.end()), pixels);

    EXPECT_FALSE(WriteBmpFile(dir.File("short.bmp"), std::vector<std::uint8_t>(12, 0), pixels));
    EXPECT_FALSE(dir.Exists("short.bmp"));
}

}  // namespace
}  // namespace vfe
