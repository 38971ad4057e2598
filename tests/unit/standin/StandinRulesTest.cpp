#include <gtest/gtest.h>

#include <vector>

#include "tools/standin/StandinRules.h"

namespace vfe::standin {
namespace {

TEST(StandinCaption, FollowsTheIdentityTableWhateverTheLetterCase) {
    EXPECT_EQ(CaptionForExe("velmoran.exe"), "Velmoran Alpha v0.2a");
    EXPECT_EQ(CaptionForExe("VELMORAN_OLD_GFX.EXE"), "Velmoran Alpha v0.2a Old Gfx");
    EXPECT_EQ(CaptionForExe("vmsbrowser.exe"), "Velmoran VMS data Browser by Dorvik");
    EXPECT_EQ(CaptionForExe("velmoran_v01.exe"), "Velmoran Alpha v0.1");
}

TEST(StandinCaption, AnUnknownNameShowsItself) {
    EXPECT_EQ(CaptionForExe("standin.exe"), "standin.exe");
    // The earlier build has no file of its own in the table: an empty name must not match it.
    EXPECT_EQ(CaptionForExe(""), "");
    EXPECT_EQ(CaptionForExe("velmoran.exe.bak"), "velmoran.exe.bak");
}

TEST(StandinLog, IsNamedAfterTheProgramBesideIt) {
    EXPECT_EQ(LogNameForExe("velmoran.exe"), "velmoran.log");
    EXPECT_EQ(LogNameForExe("VMSBROWSER.EXE"), "VMSBROWSER.log");
    EXPECT_EQ(LogNameForExe("noextension"), "noextension.log");
    EXPECT_EQ(FileNameOf("C:\\Velmoran FE\\velmoran.exe"), "velmoran.exe");
    EXPECT_EQ(FileNameOf("/tmp/x/vmsbrowser.exe"), "vmsbrowser.exe");
    EXPECT_EQ(FileNameOf("plain.exe"), "plain.exe");
}

std::vector<unsigned char> FlashWithRegion(unsigned char region, std::size_t size = 131072) {
    std::vector<unsigned char> flash(size, 0xAA);
    if (size > kRegionOffset) flash[kRegionOffset] = region;
    return flash;
}

TEST(StandinRegion, ReadsTheRegionByteOfTheFlashImage) {
    EXPECT_EQ(RegionText(FlashWithRegion('0')), "Japan NTSC");
    EXPECT_EQ(RegionText(FlashWithRegion('1')), "US NTSC");
    EXPECT_EQ(RegionText(FlashWithRegion('2')), "Europe PAL");
    EXPECT_EQ(RegionText(FlashWithRegion('7')), "unknown region byte 55");
}

TEST(StandinRegion, AMissingOrShortImageHasNoRegion) {
    EXPECT_EQ(RegionText({}), "no flash image");
    EXPECT_EQ(RegionText(FlashWithRegion('2', kRegionOffset)), "no flash image");
    // Just long enough to hold the region byte.
    EXPECT_EQ(RegionText(FlashWithRegion('2', kRegionOffset + 1)), "Europe PAL");
}

}  // namespace
}  // namespace vfe::standin
