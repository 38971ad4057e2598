#include <gtest/gtest.h>

#include "emulator/EmulatorIdentity.h"
#include "emulator/WindowLookup.h"
#include "support/Fakes.h"

namespace vfe {
namespace {

using testing::FakeFrontEnd;

// How captions compare (whole, any letter case) is the system's: the e2e test
// DisplayModeFindsTheMainBuildByItsWholeCaptionInAnyLetterCase checks it under Wine.
TEST(WindowLookup, KeepsTheOutcomeNothingIncluded) {
    FakeFrontEnd fake;
    fake.windows.windows["Velmoran Alpha v0.2a Old Gfx"] = 7;
    EXPECT_EQ(LookUpWindow(fake.frontEnd, std::string(kOldGfxBuild.caption)), 7u);
    EXPECT_EQ(fake.state.EmulatorWnd, 7u);
    EXPECT_EQ(LookUpWindow(fake.frontEnd, "nobody"), 0u);
    EXPECT_EQ(fake.state.EmulatorWnd, 0u);
}

TEST(IdentityTable, HoldsTheFourOutsidePrograms) {
    EXPECT_EQ(kMainBuild.exeName, "velmoran.exe");
    EXPECT_EQ(kOldGfxBuild.exeName, "velmoran_old_gfx.exe");
    EXPECT_EQ(kEarlierBuild.caption, "Velmoran Alpha v0.1");
    EXPECT_EQ(kVmsBrowser.caption, "Velmoran VMS data Browser by Dorvik");
}

}  // namespace
}  // namespace vfe
