// The console region: written into the flash image at every start from the saved
// setting, and from the "&Options" > "&Change Region" menu.
#include "support/E2E.h"

namespace {

using e2e::FrontEnd;

class Region : public e2e::FrontEndTest {
protected:
    // Waits until the flash image is exactly the pattern with this region written into it.
    bool WaitForImage(char region) {
        return e2e::WaitUntil([&] { return folder.Read(e2e::kFlashName) == e2e::FlashImage(region); });
    }
};

// At every start the saved region is written into the image and saved again; with nothing
// saved yet (the first start), that is Japan. Values that name no region are BadInputs' cases.
TEST_F(Region, TheSavedValueChoosesTheRegionAtStart) {
    for (auto [saved, region] : {std::pair<const char*, char>{nullptr, '0'}, {"2", '2'}}) {
        SCOPED_TRACE(saved ? saved : "nothing saved");
        folder.Write(e2e::kFlashName, e2e::FlashImage(region == '0' ? '2' : '1'));
        if (saved) {
            ASSERT_TRUE(e2e::WriteRegistryString(e2e::kOptionsKey, "DreamcastRegion", saved));
        } else {
            ASSERT_FALSE(e2e::SavedRegion()) << "a region was saved before the first start";
        }
        FrontEnd fe(folder);
        ASSERT_TRUE(fe.window());
        EXPECT_TRUE(WaitForImage(region));
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::SavedRegion() == std::string(1, region); }));
    }
}

TEST_F(Region, WrongLengthImageIsReportedAtStartAndTheWindowStaysUsable) {
    const std::string shortImage = e2e::FlashImage('1').substr(1);
    folder.Write(e2e::kFlashName, shortImage);
    ASSERT_TRUE(e2e::WriteRegistryString(e2e::kOptionsKey, "DreamcastRegion", "1"));
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());

    const auto box = e2e::WaitForMessageBox(fe);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Quorvex");
    EXPECT_EQ(box->text, "Incorrect Flash Bios!");
    EXPECT_TRUE(box->ok && !box->cancel && !box->yes && !box->no);
    ASSERT_TRUE(e2e::Answer(*box, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(fe.window()) != FALSE; }));
    EXPECT_EQ(folder.Read(e2e::kFlashName), shortImage);
    EXPECT_EQ(e2e::SavedRegion(), "1");

    // With a sound image in place, Europe from the menu writes it and is remembered.
    folder.Write(e2e::kFlashName, e2e::FlashImage('0'));
    ASSERT_TRUE(e2e::Menu(fe, "o", "c", "e"));  // Options > Change Region > EURO - PAL
    EXPECT_TRUE(WaitForImage('2'));
    EXPECT_TRUE(e2e::WaitUntil([] { return e2e::SavedRegion() == "2"; }));
    EXPECT_TRUE(e2e::ShowsNoDialog(fe));
}

}  // namespace
