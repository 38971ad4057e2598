#include <gtest/gtest.h>

#include "region/SavedRegion.h"
#include "shell/frmVelmoranLoad.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace vfe {
namespace {

TEST(SavedRegionValue, OnlyTheWholeNumbersOneAndTwoLeaveJapan) {
    using R = Region;
    const std::pair<std::optional<std::string>, Region> cases[] = {
        {std::nullopt, R::Japan}, {"0", R::Japan},   {"1", R::US},      {"2", R::Europe},  {" 2", R::Europe},
        {"1 ", R::US},            {"\t2\r\n", R::Europe}, {"002", R::Europe}, {"7", R::Japan}, {"-1", R::Japan},
        {"x", R::Japan},          {"", R::Japan},    {"   ", R::Japan}, {"1x", R::Japan},  {"1 2", R::Japan},
        {"1.0", R::Japan},        {"+1", R::Japan},  {"65537", R::Japan}, {"99999999999999999999", R::Japan}};
    for (const auto& [saved, expected] : cases)
        EXPECT_EQ(RegionForSavedValue(saved), expected) << saved.value_or("(absent)");
}

TEST(RegionAtStart, TheRememberedRegionIsWrittenAgainWhileLoading) {
    using Case = std::tuple<std::optional<std::string>, char, MenuItem, std::string>;
    for (auto [saved, digit, item, savedAfter] :
         {Case{std::nullopt, '0', MenuItem::mnuJapan, "0"},
          {"1", '1', MenuItem::mnuUS, "1"},
          {"2", '2', MenuItem::mnuEURO, "2"},
          {"7", '0', MenuItem::mnuJapan, "0"}}) {
        testing::TempDir dir;
        testing::FakeFrontEnd fake(dir.str());
        dir.Write("dc_flash.bin", std::vector<std::uint8_t>(131072, 0xFF));
        if (saved) fake.settings.SaveSetting(kApplicationTitle, "Options", "DreamcastRegion", *saved);
        frmVelmoranLoad form(fake.frontEnd, fake.about, fake.capture.Services());
        form.Form_Load();  // sets FlashSize itself before the region runs

        const auto image = dir.Read("dc_flash.bin");
        EXPECT_EQ(std::string(image.begin() + 0x1A002, image.begin() + 0x1A00E), std::string(1, digit) + "21Dreamcast");
        EXPECT_TRUE(fake.controls.IsMenuChecked(item));
        EXPECT_EQ(fake.settings.GetSetting(kApplicationTitle, "Options", "DreamcastRegion"), savedAfter);
    }
}

}  // namespace
}  // namespace vfe
