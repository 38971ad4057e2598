#include <gtest/gtest.h>

#include "region/SavedRegion.h"
#include "shell/frmVelmoranLoad.h"
#include "region/FlashFixture.h"

namespace vfe {
namespace {

using testing::FlashFolder;
using testing::WithBlock;

TEST(SavedRegionValue, OnlyTheWholeNumbersOneAndTwoLeaveJapan) {
    const std::pair<std::optional<std::string>, Region> cases[] = {
        {std::nullopt, Region::Japan}, {"0", Region::Japan},   {"1", Region::US},       {"2", Region::Europe},
        {" 2", Region::Europe},        {"1 ", Region::US},     {"\t2\r\n", Region::Europe}, {"002", Region::Europe},
        {"7", Region::Japan},          {"-1", Region::Japan},  {"-2", Region::Japan},   {"x", Region::Japan},
        {"", Region::Japan},           {"   ", Region::Japan}, {"1x", Region::Japan},   {"1 2", Region::Japan},
        {"1.0", Region::Japan},        {"+1", Region::Japan},  {"0x2", Region::Japan},  {"65537", Region::Japan},
        {"32769", Region::Japan},      {"99999999999999999999", Region::Japan},
        {std::string("1\0", 2), Region::Japan},
    };
    for (const auto& [saved, expected] : cases)
        EXPECT_EQ(RegionForSavedValue(saved), expected) << (saved ? "\"" + *saved + "\"" : "absent");
}

struct StartCase {
    std::optional<std::string> saved;
    const char* block;
    MenuItem checked;
    const char* savedAfter;
};

TEST(RegionAtStart, TheRememberedRegionIsWrittenAgainWhileLoading) {
    const StartCase cases[] = {
        {std::nullopt, "021Dreamcast", MenuItem::mnuJapan, "0"},
        {"1", "121Dreamcast", MenuItem::mnuUS, "1"},
        {"2", "221Dreamcast", MenuItem::mnuEURO, "2"},
        {"7", "021Dreamcast", MenuItem::mnuJapan, "0"},
        {"x", "021Dreamcast", MenuItem::mnuJapan, "0"},
    };
    for (const auto& c : cases) {
        FlashFolder folder;
        if (c.saved) folder.SaveRegion(*c.saved);
        const auto before = folder.LayImage(131072, 3);
        folder.fake.state.FlashSize = 0;  // the load handler sets it before the region runs
        frmVelmoranLoad form(folder.fake.frontEnd);
        form.Form_Load();

        const std::string label = c.saved ? *c.saved : "absent";
        EXPECT_EQ(folder.Image(), WithBlock(before, c.block)) << label;
        EXPECT_EQ(folder.CheckedRegionItem(), c.checked) << label;
        EXPECT_EQ(folder.CheckedRegionCount(), 1) << label;
        EXPECT_EQ(folder.SavedRegion(), c.savedAfter) << label;
    }
}

TEST(RegionAtStart, AWrongLengthImageIsReportedWhileLoading) {
    FlashFolder folder;
    folder.SaveRegion("2");
    const auto before = folder.LayImage(131071);
    frmVelmoranLoad form(folder.fake.frontEnd);
    form.Form_Load();
    ASSERT_EQ(folder.fake.messages.shown.size(), 1u);
    EXPECT_EQ(folder.fake.messages.shown[0].text, "Incorrect Flash Bios!");
    EXPECT_EQ(folder.Image(), before);
    EXPECT_EQ(folder.CheckedRegionItem(), MenuItem::mnuEURO);
    EXPECT_EQ(folder.SavedRegion(), "2");
}

TEST(RegionMenu, EachItemRunsItsRegion) {
    FlashFolder folder;
    const auto before = folder.LayImage(131072);
    frmVelmoranLoad form(folder.fake.frontEnd);
    form.Form_Load();
    for (const auto& [item, block, saved] : {std::tuple{MenuItem::mnuEURO, "221Dreamcast", "2"},
                                             {MenuItem::mnuUS, "121Dreamcast", "1"},
                                             {MenuItem::mnuJapan, "021Dreamcast", "0"}}) {
        form.OnMenu(item);
        EXPECT_EQ(folder.Image(), WithBlock(before, block));
        EXPECT_EQ(folder.SavedRegion(), saved);
        EXPECT_EQ(folder.CheckedRegionItem(), item);
    }
}

}  // namespace
}  // namespace vfe
