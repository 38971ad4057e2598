#include <gtest/gtest.h>

#include <filesystem>

#ifdef __unix__
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "region/FlashImage.h"
#include "region/RegionSwitcher.h"
#include "region/FlashFixture.h"

namespace vfe {
namespace {

using testing::FlashFolder;
using testing::WithBlock;

struct Choice {
    Region region;
    MenuItem item;
    const char* block;
    const char* saved;
};
constexpr Choice kChoices[] = {
    {Region::Japan, MenuItem::mnuJapan, "021Dreamcast", "0"},
    {Region::US, MenuItem::mnuUS, "121Dreamcast", "1"},
    {Region::Europe, MenuItem::mnuEURO, "221Dreamcast", "2"},
};

void Choose(RegionSwitcher& switcher, Region region) {
    switch (region) {
        case Region::Japan: switcher.mnuJapan_Click(); break;
        case Region::US: switcher.mnuUS_Click(); break;
        case Region::Europe: switcher.mnuEURO_Click(); break;
    }
}

TEST(RegionSwitch, PatchesExactlyTheRegionBlockAndSavesTheChoice) {
    for (const auto& choice : kChoices) {
        FlashFolder folder;
        const auto before = folder.LayImage(131072, static_cast<unsigned>(choice.region) + 7);
        RegionSwitcher switcher(folder.fake.frontEnd);
        Choose(switcher, choice.region);

        EXPECT_EQ(folder.Image(), WithBlock(before, choice.block)) << choice.block;
        EXPECT_EQ(folder.SavedRegion(), choice.saved);
        EXPECT_EQ(folder.CheckedRegionItem(), choice.item);
        EXPECT_EQ(folder.CheckedRegionCount(), 1);
        EXPECT_TRUE(folder.fake.messages.shown.empty());
    }
}

TEST(RegionSwitch, SuccessiveChoicesOnlyTouchTheBlockAndRepeatsChangeNothing) {
    FlashFolder folder;
    const auto original = folder.LayImage(131072, 42);
    RegionSwitcher switcher(folder.fake.frontEnd);

    switcher.mnuEURO_Click();
    const auto afterFirst = folder.Image();
    switcher.mnuEURO_Click();
    EXPECT_EQ(folder.Image(), afterFirst) << "a second identical choice must leave the file byte-identical";

    for (const auto& choice : kChoices) {
        Choose(switcher, choice.region);
        EXPECT_EQ(folder.Image(), WithBlock(original, choice.block));
        EXPECT_EQ(folder.SavedRegion(), choice.saved);
    }
}

TEST(RegionSwitch, CheckMarksMoveFirstUncheckingTheOthers) {
    FlashFolder folder;  // no image at all: the marks move anyway
    RegionSwitcher switcher(folder.fake.frontEnd);
    switcher.mnuUS_Click();
    const std::vector<std::pair<MenuItem, bool>> expected{
        {MenuItem::mnuJapan, false}, {MenuItem::mnuEURO, false}, {MenuItem::mnuUS, true}};
    EXPECT_EQ(folder.fake.controls.menuCheckLog, expected);
}

TEST(RegionSwitch, WrongLengthImageGetsTheMessageAndIsLeftAlone) {
    for (std::size_t length : {131071u, 131073u, 262144u}) {
        FlashFolder folder;
        folder.SaveRegion("1");
        const auto before = folder.LayImage(length);
        RegionSwitcher switcher(folder.fake.frontEnd);
        switcher.mnuEURO_Click();

        ASSERT_EQ(folder.fake.messages.shown.size(), 1u) << length;
        EXPECT_EQ(folder.fake.messages.shown[0].text, "Incorrect Flash Bios!");
        EXPECT_EQ(folder.fake.messages.shown[0].title, "Quorvex");
        EXPECT_EQ(folder.fake.messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Critical);
        EXPECT_EQ(folder.Image(), before);
        EXPECT_EQ(folder.SavedRegion(), "1");
        EXPECT_EQ(folder.CheckedRegionItem(), MenuItem::mnuEURO);
    }
}

TEST(RegionSwitch, MissingEmptyOrDirectoryImageIsSilentlySkipped) {
    FlashFolder missing;
    FlashFolder empty;
    empty.LayImage(0);
    FlashFolder directory;
    std::filesystem::create_directory(directory.FlashPath());

    for (auto* folder : {&missing, &empty, &directory}) {
        folder->SaveRegion("2");
        RegionSwitcher switcher(folder->fake.frontEnd);
        switcher.mnuJapan_Click();
        EXPECT_TRUE(folder->fake.messages.shown.empty());
        EXPECT_EQ(folder->SavedRegion(), "2");
        EXPECT_EQ(folder->CheckedRegionItem(), MenuItem::mnuJapan);
    }
    EXPECT_FALSE(missing.dir.Exists("dc_flash.bin")) << "the image must never be created";
    EXPECT_TRUE(empty.Image().empty()) << "an empty image must not be extended";
    EXPECT_TRUE(std::filesystem::is_directory(directory.FlashPath()));
}

TEST(RegionSwitch, AStoreThatCannotBeWrittenLeavesTheImagePatchedAndSaysNothing) {
    FlashFolder folder;
    const auto before = folder.LayImage(131072);
    folder.fake.settings.failSaves = true;
    RegionSwitcher switcher(folder.fake.frontEnd);
    switcher.mnuUS_Click();
    EXPECT_EQ(folder.Image(), WithBlock(before, "121Dreamcast"));
    EXPECT_FALSE(folder.SavedRegion());
    EXPECT_TRUE(folder.fake.messages.shown.empty());
}

#ifdef __unix__
TEST(RegionSwitch, ReadOnlyImageIsLeftAloneAndNotRemembered) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files anyway";
    FlashFolder folder;
    const auto before = folder.LayImage(131072);
    std::filesystem::permissions(folder.FlashPath(), std::filesystem::perms::owner_read);
    RegionSwitcher switcher(folder.fake.frontEnd);
    switcher.mnuEURO_Click();
    EXPECT_EQ(folder.Image(), before);
    EXPECT_FALSE(folder.SavedRegion());
    EXPECT_TRUE(folder.fake.messages.shown.empty());
}

// A file-size limit below the block makes the write itself fail, even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(RegionSwitch, AFailedWriteIsNotRemembered) {
    FlashFolder folder;
    folder.SaveRegion("0");
    const auto before = folder.LayImage(131072);
    RegionSwitcher switcher(folder.fake.frontEnd);
    {
        FileSizeLimit limit(0x1A000);
        switcher.mnuEURO_Click();
    }
    EXPECT_EQ(folder.Image(), before);
    EXPECT_EQ(folder.SavedRegion(), "0");
    EXPECT_TRUE(folder.fake.messages.shown.empty());
}
#endif

TEST(OverwriteInPlace, RefusesToWriteOutsideOrIntoAFileOfAnotherLength) {
    FlashFolder folder;
    const auto before = folder.LayImage(100);
    const std::uint8_t bytes[4] = {1, 2, 3, 4};
    EXPECT_FALSE(OverwriteInPlace(folder.FlashPath(), 100, 98, bytes)) << "would extend the file";
    EXPECT_FALSE(OverwriteInPlace(folder.FlashPath(), 100, -1, bytes));
    EXPECT_FALSE(OverwriteInPlace(folder.FlashPath(), 120, 10, bytes)) << "length changed since it was read";
    EXPECT_EQ(folder.Image(), before);
    EXPECT_FALSE(OverwriteInPlace(folder.dir.File("absent.bin"), 100, 0, bytes));
    EXPECT_FALSE(folder.dir.Exists("absent.bin"));

    EXPECT_TRUE(OverwriteInPlace(folder.FlashPath(), 100, 96, bytes));
    auto expected = before;
    std::copy(std::begin(bytes), std::end(bytes), expected.begin() + 96);
    EXPECT_EQ(folder.Image(), expected);
}

}  // namespace
}  // namespace vfe
