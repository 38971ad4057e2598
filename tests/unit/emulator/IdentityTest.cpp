#include <gtest/gtest.h>

#include "emulator/EmulatorIdentity.h"
#include "emulator/FileExist.h"
#include "emulator/WindowLookup.h"
#include "platform/Paths.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace vfe {
namespace {

using testing::FakeFrontEnd;
using testing::TempDir;

TEST(WindowLookup, FindsOnlyTheWholeCaptionAndKeepsTheOutcome) {
    FakeFrontEnd fake;
    fake.windows.windows["Velmoran Alpha v0.2a Old Gfx"] = 7;
    EXPECT_EQ(LookUpWindow(fake.frontEnd, std::string(kMainBuild.caption)), 0u);
    EXPECT_EQ(fake.state.EmulatorWnd, 0u);
    EXPECT_EQ(LookUpWindow(fake.frontEnd, std::string(kOldGfxBuild.caption)), 7u);
    EXPECT_EQ(fake.state.EmulatorWnd, 7u);
}

TEST(WindowLookup, IgnoresLetterCase) {
    FakeFrontEnd fake;
    fake.windows.windows["VELMORAN alpha V0.2A"] = 9;
    EXPECT_EQ(LookUpWindow(fake.frontEnd, "Velmoran Alpha v0.2a"), 9u);
}

TEST(WindowLookup, OverwritesAnEarlierOutcomeWithNothing) {
    FakeFrontEnd fake;
    fake.state.EmulatorWnd = 42;
    EXPECT_EQ(LookUpWindow(fake.frontEnd, "nobody"), 0u);
    EXPECT_EQ(fake.state.EmulatorWnd, 0u);
}

TEST(IdentityTable, HoldsTheFourOutsidePrograms) {
    EXPECT_EQ(kMainBuild.exeName, "velmoran.exe");
    EXPECT_EQ(kOldGfxBuild.exeName, "velmoran_old_gfx.exe");
    EXPECT_EQ(kEarlierBuild.caption, "Velmoran Alpha v0.1");
    EXPECT_EQ(kVmsBrowser.caption, "Velmoran VMS data Browser by Dorvik");
}

TEST(FileExist, TrueOnlyForAReadableLengthAboveZero) {
    TempDir dir;
    dir.Write("one.bin", std::string("x"));
    dir.Write("empty.bin", std::string());
    EXPECT_TRUE(FileExist(dir.File("one.bin")));
    EXPECT_FALSE(FileExist(dir.File("empty.bin")));
    EXPECT_FALSE(FileExist(dir.File("missing.bin")));
    EXPECT_FALSE(FileExist(dir.File("no-such-folder/file.bin")));
    EXPECT_FALSE(FileExist(dir.str()));  // a folder has no file length
    EXPECT_FALSE(FileExist(""));
}

TEST(Paths, JoinWithOneSeparator) {
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(InAppDir("C:" + sep + "emu", "dc_flash.bin"), "C:" + sep + "emu" + sep + "dc_flash.bin");
    EXPECT_EQ(InAppDir("C:\\", "z0.bmp"), "C:\\z0.bmp");
    EXPECT_EQ(FolderOf("C:\\emu dir\\VelmoranFE2.exe"), "C:\\emu dir");
    EXPECT_EQ(FolderOf("C:\\VelmoranFE2.exe"), "C:\\");
    EXPECT_EQ(FolderOf("/tmp/x/VelmoranFE2.exe"), "/tmp/x");
}

}  // namespace
}  // namespace vfe
