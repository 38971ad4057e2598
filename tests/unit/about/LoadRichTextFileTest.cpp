#include <gtest/gtest.h>

#include "about/AboutLayout.h"
#include "about/LoadRichTextFile.h"
#include "platform/StdioFileSource.h"
#include "support/FakeFiles.h"
#include "support/TempDir.h"

namespace vfe {
namespace {

using testing::FakeFile;
using testing::FakeFileSource;
using testing::FakeRichTextBox;

struct Loaded {
    LoadResult result;
    TextFormat format;
    std::string content;
};

Loaded LoadFake(FakeFile file, std::size_t bytesPerRequest = 4096) {
    FakeFileSource files;
    files.files["readme"] = std::move(file);
    FakeRichTextBox box;
    box.bytesPerRequest = bytesPerRequest;
    const LoadResult result = LoadRichTextFile(files, box, "readme");
    return {result, box.format, box.content};
}

TEST(LoadRichTextFile, TellsAMissingFileFromOtherFailures) {
    FakeFileSource files;
    FakeRichTextBox box;
    EXPECT_EQ(LoadRichTextFile(files, box, "nowhere"), LoadResult::FileNotFound);
    EXPECT_EQ(box.streams, 0);

    // Failing while the first bytes are read: the box is left alone.
    files.files["bad"] = {.content = "{\\rtf1 x}", .failAfter = 2};
    EXPECT_EQ(LoadRichTextFile(files, box, "bad"), LoadResult::OtherFailure);
    EXPECT_EQ(box.streams, 0);

    EXPECT_EQ(LoadFake({.content = std::string(10000, 'x'), .failAfter = 6000}).result, LoadResult::OtherFailure);
    EXPECT_EQ(LoadFake({.content = "fine"}).result, LoadResult::Loaded);
}

TEST(LoadRichTextFile, ChoosesTheFormatFromTheFirstBytes) {
    struct Case {
        std::string file;
        TextFormat format;
        std::string shown;
    } cases[] = {
        {"{\\rtf1\\ansi Hello}", TextFormat::Rtf, "{\\rtf1\\ansi Hello}"},
        {"{\\rtf", TextFormat::Rtf, "{\\rtf"},
        {"{\\rt", TextFormat::Text, "{\\rt"},
        {" {\\rtf1 indented}", TextFormat::Text, " {\\rtf1 indented}"},
        {"{\\RTF1 upper case}", TextFormat::Text, "{\\RTF1 upper case}"},
        {"Plain\r\ntext", TextFormat::Text, "Plain\r\ntext"},
        {"", TextFormat::Text, ""},
        {std::string("\0\x01\x02{\\rtf", 8), TextFormat::Text, std::string("\0\x01\x02{\\rtf", 8)},
    };
    for (const auto& c : cases) {
        const Loaded loaded = LoadFake({.content = c.file});
        EXPECT_EQ(loaded.result, LoadResult::Loaded) << c.file;
        EXPECT_EQ(loaded.format, c.format) << c.file;
        EXPECT_EQ(loaded.content, c.shown) << c.file;
    }
}

TEST(LoadRichTextFile, ShortReadsLoseNothing) {
    std::string file = "{\\rtf1 ";
    for (int i = 0; i < 3000; ++i) file += static_cast<char>(i * 7 % 256);
    for (const std::size_t perRead : {1u, 2u, 3u, 4096u})
        for (const std::size_t perRequest : {1u, 2u, 5u, 4096u}) {
            const Loaded loaded = LoadFake({.content = file, .bytesPerRead = perRead}, perRequest);
            EXPECT_EQ(loaded.format, TextFormat::Rtf) << perRead << " " << perRequest;
            EXPECT_EQ(loaded.content, file) << perRead << " " << perRequest;
        }
}

TEST(LoadRichTextFile, NeverSplitsALineBreakBetweenPieces) {
    std::string text;
    for (int line = 0; line < 500; ++line) text += "line " + std::to_string(line) + "\r\n";
    const std::string endings[] = {"", "\r", "\r\r", "\r\n\r"};
    for (const std::string& ending : endings)
        for (const std::size_t perRead : {1u, 7u, 4096u})
            for (const std::size_t perRequest : {2u, 9u, 64u, 4096u}) {
                FakeFileSource files;
                files.files["readme"] = {.content = text + ending, .bytesPerRead = perRead};
                FakeRichTextBox box;
                box.bytesPerRequest = perRequest;
                ASSERT_EQ(LoadRichTextFile(files, box, "readme"), LoadResult::Loaded);
                EXPECT_EQ(box.content, text + ending);
                for (std::size_t i = 0; i + 1 < box.pieces.size(); ++i)
                    if (box.pieces[i].ends_with('\r') && box.pieces[i + 1].starts_with('\n'))
                        ADD_FAILURE() << "split line break after piece " << i << " (" << perRead << ", " << perRequest
                                      << ")";
            }
}

TEST(StdioFileSource, ReadsWholeFilesAndRefusesWhatIsNoFile) {
    testing::TempDir dir;
    StdioFileSource files;
    FakeRichTextBox box;
    EXPECT_EQ(LoadRichTextFile(files, box, dir.File("missing.txt")), LoadResult::FileNotFound);
    EXPECT_EQ(LoadRichTextFile(files, box, dir.str()), LoadResult::FileNotFound);

    std::vector<std::uint8_t> bytes(1 << 20);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + i / 256);
    dir.Write("big.txt", bytes);
    ASSERT_EQ(LoadRichTextFile(files, box, dir.File("big.txt")), LoadResult::Loaded);
    EXPECT_EQ(box.content, std::string(bytes.begin(), bytes.end()));

    dir.Write("empty.txt", std::string());
    ASSERT_EQ(LoadRichTextFile(files, box, dir.File("empty.txt")), LoadResult::Loaded);
    EXPECT_EQ(box.content, "");
}

TEST(AboutLayout, DesignSizesInPixelsFollowTheScreenResolution) {
    const Size at96dpi{15, 15};
    EXPECT_EQ(TwipsToPixels(kAboutClientTwips, at96dpi), (Size{248, 207}));
    EXPECT_EQ(TwipsToPixels(kImage1Twips, at96dpi), (Bounds{8, 8, 231, 89}));
    EXPECT_EQ(TwipsToPixels(krtbAboutTwips, at96dpi), (Bounds{8, 104, 233, 97}));
    const Size at120dpi{12, 12};
    EXPECT_EQ(TwipsToPixels(kAboutClientTwips, at120dpi), (Size{310, 259}));
    EXPECT_EQ(TwipsToPixels(krtbAboutTwips, at120dpi), (Bounds{10, 130, 291, 121}));
    // A screen that reports no resolution is taken as 96 dpi rather than dividing by zero.
    EXPECT_EQ(TwipsToPixels(kAboutClientTwips, Size{0, 0}), (Size{248, 207}));
}

// Centred over the main window, but never partly off the work area (1024 x 768 here).
TEST(AboutLayout, OpensCentredAndInsideTheWorkArea) {
    const Size about{254, 232};
    const Bounds screen{0, 0, 1024, 768};
    EXPECT_EQ(CentredInside(about, {300, 200, 400, 300}, screen), (Bounds{373, 234, 254, 232}));
    // Not at y -9 over a main window at the top: below the work area's top (a task bar above it).
    EXPECT_EQ(CentredInside(about, {0, 0, 387, 213}, {0, 30, 1024, 738}), (Bounds{66, 30, 254, 232}));
    EXPECT_EQ(CentredInside(about, {900, 700, 300, 200}, screen), (Bounds{770, 536, 254, 232}));
    EXPECT_EQ(CentredInside({1200, 900}, {0, 0, 387, 213}, screen), (Bounds{0, 0, 1200, 900}));
}

}  // namespace
}  // namespace vfe
