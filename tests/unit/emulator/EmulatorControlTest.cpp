// The emulator commands as the menu reaches them, against a fake window system.
#include <gtest/gtest.h>

#include "emulator/EmulatorIdentity.h"

#include "platform/Paths.h"
#include "shell/FormLayout.h"
#include "shell/frmVelmoranLoad.h"
#include "support/Fakes.h"

namespace vfe {
namespace {

using Calls = std::vector<std::string>;

constexpr WindowHandle kRunningWindow = 7;
const std::string kAppDir = "C:\\Games\\Velmoran Alpha v0.2a";
const std::string kMainBuildCaption(kMainBuild.caption);
const std::string kOldGfxCaption = "Velmoran Alpha v0.2a Old Gfx";
const std::string kBrowserCaption = "Velmoran VMS data Browser by Dorvik";

std::string StartOf(const std::string& exe, int showCode) {
    return "start " + kAppDir + kPathSeparator + exe + " " + std::to_string(showCode);
}

class EmulatorCommands : public ::testing::Test {
protected:
    EmulatorCommands() {
        fake.state.ShowMode = ShowCode::Normal;  // as the load handler leaves it
        fake.windows.onStart = [this] { captionAtStart = fake.controls.caption; };
    }
    void Choose(MenuItem item) { form.OnMenu(item); }
    const Calls& calls() const { return fake.windows.calls; }
    const std::vector<testing::ShownBox>& boxes() const { return fake.messages.shown; }

    testing::FakeFrontEnd fake{kAppDir};
    frmVelmoranLoad form{fake.frontEnd, fake.about, fake.capture.Services()};
    std::string captionAtStart = "(not started)";
};

void ExpectAlreadyRunningQuestion(const testing::ShownBox& box) {
    EXPECT_EQ(box.title, "Velmoran already running!");
    EXPECT_EQ(box.text, "Velmoran has already running.\r\nDo you want to close and open it again?");
    EXPECT_EQ(box.flags, MsgBox::YesNo);  // no icon
}

void ExpectNotFound(const testing::ShownBox& box) {
    EXPECT_EQ(box.title, "Velmoran not found");
    EXPECT_EQ(box.text, "Velmoran not found.\r\nBe sure that you put Velmoran FE2 in Velmoran Alpha v0.2a directory.");
    EXPECT_EQ(box.flags, MsgBox::OkOnly | MsgBox::Critical);
}

void ExpectNotRunning(const testing::ShownBox& box) {
    EXPECT_EQ(box.title, "Velmoran is not running!");
    EXPECT_EQ(box.text, "Velmoran is not running!");
    EXPECT_EQ(box.flags, MsgBox::OkOnly | MsgBox::Exclamation);
}

// --- launch --------------------------------------------------------------------------------

TEST_F(EmulatorCommands, LaunchStartsEitherBuildFromTheApplicationFolder) {
    Choose(MenuItem::mnuVelmoranAlpha);
    EXPECT_EQ(calls(), (Calls{"find " + kMainBuildCaption, StartOf("velmoran.exe", 1)}));
    EXPECT_EQ(fake.windows.lastWorkingDirectory, kAppDir);
    EXPECT_EQ(captionAtStart, "Running velmoran.exe");
    EXPECT_EQ(fake.state.EmulatorCaption, kMainBuildCaption);
    EXPECT_TRUE(boxes().empty());

    fake.windows.calls.clear();
    Choose(MenuItem::mnuVelmoranAlphaOldGFX);
    EXPECT_EQ(calls(), (Calls{"find " + kOldGfxCaption, StartOf("velmoran_old_gfx.exe", 1)}));
    EXPECT_EQ(captionAtStart, "Running velmoran_old_gfx.exe");
    EXPECT_EQ(fake.state.EmulatorCaption, kOldGfxCaption);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(EmulatorCommands, LaunchIgnoresTheOtherBuildsWindow) {
    fake.windows.windows[kOldGfxCaption] = kRunningWindow;
    Choose(MenuItem::mnuVelmoranAlpha);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(calls().back(), StartOf("velmoran.exe", 1));

    // From now on the close command is about the main build only.
    fake.windows.calls.clear();
    Choose(MenuItem::mnuCloseVelmoran);
    EXPECT_EQ(calls(), (Calls{"find " + kMainBuildCaption}));
    ASSERT_EQ(boxes().size(), 1u);
    ExpectNotRunning(boxes()[0]);
}

TEST_F(EmulatorCommands, RestartAnsweredYesClosesTheOldInstanceAndStartsAtOnce) {
    fake.windows.windows[kMainBuildCaption] = kRunningWindow;
    fake.messages.answers = {Answer::Yes};
    Choose(MenuItem::mnuVelmoranAlpha);
    ASSERT_EQ(boxes().size(), 1u);
    ExpectAlreadyRunningQuestion(boxes()[0]);
    EXPECT_EQ(calls(), (Calls{"find " + kMainBuildCaption, "close 7", StartOf("velmoran.exe", 1)}));
    EXPECT_EQ(captionAtStart, "Running velmoran.exe");
    EXPECT_EQ(fake.state.EmulatorWnd, kRunningWindow);
}

TEST_F(EmulatorCommands, RestartDeclinedStillRemembersTheBuildToClose) {
    fake.windows.windows[kOldGfxCaption] = kRunningWindow;
    fake.controls.SetCaption(std::string(kMainWindowCaption));
    // Anything but Yes (a box that failed answers Cancel) leaves the running build alone.
    for (Answer answer : {Answer::No, Answer::Cancel}) {
        fake.windows.calls.clear();
        fake.state.EmulatorCaption.clear();
        fake.messages.answers = {answer};
        Choose(MenuItem::mnuVelmoranAlphaOldGFX);
        EXPECT_EQ(calls(), (Calls{"find " + kOldGfxCaption}));
        EXPECT_EQ(fake.state.EmulatorCaption, kOldGfxCaption);
        EXPECT_EQ(fake.controls.caption, kMainWindowCaption);
    }
    EXPECT_EQ(fake.state.ShowMode, ShowCode::Normal);

    fake.windows.calls.clear();
    Choose(MenuItem::mnuCloseVelmoran);
    EXPECT_EQ(calls(), (Calls{"find " + kOldGfxCaption, "close 7"}));
    EXPECT_EQ(boxes().size(), 2u);  // only the two questions; closing says nothing
}

TEST_F(EmulatorCommands, MissingExecutableIsReportedAndTheRunningCaptionStays) {
    fake.windows.startResult = StartResult::NotFound;
    Choose(MenuItem::mnuVelmoranAlpha);
    ASSERT_EQ(boxes().size(), 1u);
    ExpectNotFound(boxes()[0]);
    EXPECT_EQ(fake.controls.caption, "Running velmoran.exe");
    EXPECT_EQ(fake.state.EmulatorCaption, kMainBuildCaption);

    // The restart path reports it too, after the old instance was asked to close.
    fake.windows.windows[kOldGfxCaption] = kRunningWindow;
    fake.windows.calls.clear();
    Choose(MenuItem::mnuVelmoranAlphaOldGFX);
    EXPECT_EQ(calls(), (Calls{"find " + kOldGfxCaption, "close 7", StartOf("velmoran_old_gfx.exe", 1)}));
    ASSERT_EQ(boxes().size(), 3u);
    ExpectAlreadyRunningQuestion(boxes()[1]);
    ExpectNotFound(boxes()[2]);
    EXPECT_EQ(fake.controls.caption, "Running velmoran_old_gfx.exe");
}

TEST_F(EmulatorCommands, OtherStartFailuresPassSilently) {
    fake.windows.startResult = StartResult::Failed;
    Choose(MenuItem::mnuVelmoranAlpha);
    Choose(MenuItem::mnuVMSBrowser);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(fake.controls.caption, "Running velmoran.exe");
}

// --- close ---------------------------------------------------------------------------------

TEST_F(EmulatorCommands, CloseBeforeAnyLaunchSaysNotRunningEvenWithAnEmulatorUp) {
    fake.windows.windows[kMainBuildCaption] = kRunningWindow;
    fake.windows.windows[""] = 99;  // a window without caption must not count either
    Choose(MenuItem::mnuCloseVelmoran);
    EXPECT_EQ(calls(), (Calls{"find "}));  // the lookup is made all the same
    EXPECT_EQ(fake.state.EmulatorWnd, 99u);
    ASSERT_EQ(boxes().size(), 1u);
    ExpectNotRunning(boxes()[0]);
}

// --- display mode --------------------------------------------------------------------------

TEST_F(EmulatorCommands, DisplayModeMarksItsItemAndReshowsTheMainBuild) {
    fake.windows.windows[kMainBuildCaption] = kRunningWindow;
    Choose(MenuItem::mnuMaximizedView);
    EXPECT_EQ(fake.controls.menuCheckLog,
              (std::vector<std::pair<MenuItem, bool>>{{MenuItem::mnuNormalView, false},
                                                      {MenuItem::mnuMaximizedView, true}}));
    EXPECT_EQ(calls(), (Calls{"find " + kMainBuildCaption, "show 7 2", "show 7 3"}));
    EXPECT_EQ(fake.state.ShowMode, ShowCode::Maximized);
    EXPECT_EQ(fake.state.EmulatorWnd, kRunningWindow);

    fake.windows.calls.clear();
    fake.controls.menuCheckLog.clear();
    Choose(MenuItem::mnuNormalView);
    EXPECT_EQ(fake.controls.menuCheckLog,
              (std::vector<std::pair<MenuItem, bool>>{{MenuItem::mnuMaximizedView, false},
                                                      {MenuItem::mnuNormalView, true}}));
    EXPECT_EQ(calls(), (Calls{"find " + kMainBuildCaption, "show 7 2", "show 7 1"}));
    EXPECT_EQ(fake.state.ShowMode, ShowCode::Normal);

    // Choosing the checked item again minimizes and re-shows once more.
    fake.windows.calls.clear();
    Choose(MenuItem::mnuNormalView);
    EXPECT_EQ(calls(), (Calls{"find " + kMainBuildCaption, "show 7 2", "show 7 1"}));
    EXPECT_TRUE(fake.controls.IsMenuChecked(MenuItem::mnuNormalView));
    EXPECT_FALSE(fake.controls.IsMenuChecked(MenuItem::mnuMaximizedView));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(EmulatorCommands, DisplayModeLeavesTheOldGraphicsBuildAlone) {
    fake.windows.windows[kOldGfxCaption] = kRunningWindow;
    Choose(MenuItem::mnuVelmoranAlphaOldGFX);  // answered Yes: the launched build is now old-graphics
    fake.windows.calls.clear();
    Choose(MenuItem::mnuMaximizedView);
    EXPECT_EQ(calls(), (Calls{"find " + kMainBuildCaption}));
    EXPECT_EQ(fake.state.EmulatorWnd, 0u);
    EXPECT_EQ(fake.state.ShowMode, ShowCode::Maximized);
    EXPECT_TRUE(fake.controls.IsMenuChecked(MenuItem::mnuMaximizedView));
    EXPECT_FALSE(fake.controls.IsMenuChecked(MenuItem::mnuNormalView));
    EXPECT_EQ(fake.state.EmulatorCaption, kOldGfxCaption);
}

// --- VMS browser ---------------------------------------------------------------------------

TEST_F(EmulatorCommands, BrowserStartsNormalAndIsRestartedWithoutAsking) {
    fake.controls.SetCaption("Running velmoran.exe");
    fake.state.EmulatorCaption = kMainBuildCaption;
    fake.state.ShowMode = ShowCode::Maximized;

    Choose(MenuItem::mnuVMSBrowser);
    EXPECT_EQ(calls(), (Calls{"find " + kBrowserCaption, StartOf("vmsbrowser.exe", 1)}));
    EXPECT_EQ(fake.windows.lastWorkingDirectory, kAppDir);

    fake.windows.windows[kBrowserCaption] = 9;
    fake.windows.calls.clear();
    Choose(MenuItem::mnuVMSBrowser);
    EXPECT_EQ(calls(), (Calls{"find " + kBrowserCaption, "close 9", StartOf("vmsbrowser.exe", 1)}));
    EXPECT_EQ(fake.state.EmulatorWnd, 9u);
    EXPECT_TRUE(boxes().empty());

    // Nothing of the emulator's is touched.
    EXPECT_EQ(fake.controls.caption, "Running velmoran.exe");
    EXPECT_EQ(fake.state.EmulatorCaption, kMainBuildCaption);
    EXPECT_EQ(fake.state.ShowMode, ShowCode::Maximized);
}

TEST_F(EmulatorCommands, MissingBrowserIsReportedEveryTime) {
    fake.windows.startResult = StartResult::NotFound;
    fake.windows.windows[kBrowserCaption] = 9;
    Choose(MenuItem::mnuVMSBrowser);
    fake.windows.windows.clear();
    Choose(MenuItem::mnuVMSBrowser);
    EXPECT_EQ(calls(), (Calls{"find " + kBrowserCaption, "close 9", StartOf("vmsbrowser.exe", 1),
                              "find " + kBrowserCaption, StartOf("vmsbrowser.exe", 1)}));
    ASSERT_EQ(boxes().size(), 2u);
    for (const auto& box : boxes()) {
        EXPECT_EQ(box.title, "VMS Browser not found");
        EXPECT_EQ(box.text,
                  "VMS Browser not found.\r\n"
                  "Be sure that you put Velmoran FE2 in Velmoran Alpha v0.2a directory \r\n"
                  "and that you have vmsbrowser application on this directory.");
        EXPECT_EQ(box.flags, MsgBox::OkOnly | MsgBox::Critical);
    }
}

}  // namespace
}  // namespace vfe
