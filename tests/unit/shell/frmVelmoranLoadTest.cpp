#include <gtest/gtest.h>

#include <set>

#include "shell/FormLayout.h"
#include "shell/MenuTree.h"
#include "shell/MinimumSize.h"
#include "shell/ScreenSizeRule.h"
#include "shell/frmVelmoranLoad.h"
#include "support/Fakes.h"

namespace vfe {
namespace {

using testing::FakeFrontEnd;

TEST(MainWindowLoad, SetsTheStartValuesOfTheStateTable) {
    FakeFrontEnd fake;
    frmVelmoranLoad form(fake.frontEnd, fake.about, fake.capture.Services());
    form.Form_Load();
    EXPECT_EQ(fake.state.FlashSize, 131072);
    EXPECT_EQ(fake.state.ShowMode, 1);
}

// The capture area is the whole primary screen, whatever its size; a screen that cannot be
// read keeps the laid-out picture.
TEST(MainWindowLoad, SizesThePreviewPictureForTheScreen) {
    for (auto [screen, expected] : {std::pair{Size{800, 600}, Size{804, 604}}, {Size{1024, 768}, Size{1028, 772}},
                                    {Size{1366, 768}, Size{1370, 772}}, {Size{1920, 1080}, Size{1924, 1084}},
                                    {Size{3840, 2160}, Size{3844, 2164}}, {Size{0, 0}, Size{1028, 772}}}) {
        FakeFrontEnd fake;
        fake.controls.screenSize = screen;
        frmVelmoranLoad form(fake.frontEnd, fake.about, fake.capture.Services());
        form.Form_Load();
        EXPECT_EQ(fake.controls.ControlSize(Control::pic0), expected) << screen.width << "x" << screen.height;
    }
}

// A main window whose load has run.
class LoadedForm : public ::testing::Test {
protected:
    LoadedForm() { form.Form_Load(); }
    FakeFrontEnd fake;
    frmVelmoranLoad form{fake.frontEnd, fake.about, fake.capture.Services()};
};
using MainWindowResize = LoadedForm;

TEST_F(MainWindowResize, RestoresTheMinimumOuterSizeHeightFirst) {
    fake.controls.outerSize = {100, 50};
    form.Form_Resize();
    ASSERT_EQ(fake.controls.outerSizeLog.size(), 2u);
    EXPECT_EQ(fake.controls.outerSizeLog[0], (Size{100, 214}));  // height first, width untouched
    EXPECT_EQ(fake.controls.outerSizeLog[1], (Size{387, 214}));
}

TEST_F(MainWindowResize, LeavesLargeEnoughMinimizedAndNotYetLoadedWindowsAlone) {
    fake.controls.outerSize = {387, 214};  // 5805 x 3210 twips: not below the minimum
    form.Form_Resize();
    EXPECT_TRUE(fake.controls.outerSizeLog.empty());

    fake.controls.outerSize = {10, 10};
    fake.controls.minimized = true;
    form.Form_Resize();
    EXPECT_TRUE(fake.controls.outerSizeLog.empty());

    FakeFrontEnd unloaded;
    unloaded.controls.outerSize = {10, 10};
    frmVelmoranLoad before(unloaded.frontEnd, unloaded.about, unloaded.capture.Services());
    before.Form_Resize();  // the window is sized as it is made, before its load
    EXPECT_TRUE(unloaded.controls.outerSizeLog.empty());
}

TEST_F(MainWindowResize, OnlyTheSmallDimensionChanges) {
    fake.controls.outerSize = {600, 100};
    form.Form_Resize();
    ASSERT_EQ(fake.controls.outerSizeLog.size(), 1u);
    EXPECT_EQ(fake.controls.outerSizeLog[0], (Size{600, 214}));
}

TEST(MinimumSize, FollowsTheScreenResolution) {
    // At 120 dots per inch a pixel is 12 twips.
    EXPECT_EQ(MinimumOuterWidth({12, 12}), 484);   // 5808 twips
    EXPECT_EQ(MinimumOuterHeight({12, 12}), 267);  // 3204 twips
    EXPECT_FALSE(IsBelowMinimumHeight({0, 267}, {12, 12}));
    EXPECT_TRUE(IsBelowMinimumHeight({0, 266}, {12, 12}));
}

TEST(MainWindowExit, ExitAndCloseEndTheProgramWithoutTouchingOutsidePrograms) {
    FakeFrontEnd fake;
    frmVelmoranLoad form(fake.frontEnd, fake.about, fake.capture.Services());
    form.OnMenu(MenuItem::mnuExit);
    EXPECT_TRUE(fake.controls.ended);
    EXPECT_TRUE(fake.windows.calls.empty());

    FakeFrontEnd closed;
    frmVelmoranLoad other(closed.frontEnd, closed.about, closed.capture.Services());
    other.Form_QueryUnload();
    EXPECT_TRUE(closed.controls.ended);
    EXPECT_TRUE(closed.windows.calls.empty());
}

using MainWindowCommands = LoadedForm;

TEST_F(MainWindowCommands, EachControlEventRunsItsHandlerAndNoOtherDoesAnything) {
    fake.controls.texts[Control::Text1] = "42";
    fake.controls.list = {"/f/z0.bmp"};
    fake.controls.listIndex = 0;
    // Events no handler answers, and the controls that carry no action.
    for (Control control : {Control::Check1, Control::cmdRecord, Control::fra, Control::pic0, Control::Text1,
                            Control::lst, Control::cmdZoomIn})
        form.OnControl(control, control == Control::Text1 ? ControlEvent::Click : ControlEvent::LostFocus);
    form.OnControl(Control::Check1, ControlEvent::Click);
    form.OnControl(Control::cmdRecord, ControlEvent::Click);
    EXPECT_TRUE(fake.controls.timerLog.empty());
    EXPECT_TRUE(fake.capture.screen.calls.empty());
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.state.ZoomFactor, 0.0f);

    form.OnControl(Control::Text1, ControlEvent::LostFocus);
    EXPECT_EQ(fake.controls.timerLog, (std::vector<unsigned>{42}));
    fake.controls.checks[Control::Check2] = 1;
    form.OnControl(Control::Check2, ControlEvent::Click);
    EXPECT_EQ(fake.controls.timerInterval, 0u);
    form.OnControl(Control::cmdZoomIn, ControlEvent::Click);
    EXPECT_EQ(fake.state.ZoomFactor, 1.0f);
    form.OnControl(Control::cmdZoomOut, ControlEvent::Click);
    EXPECT_EQ(fake.state.ZoomFactor, 0.95f);
    form.OnControl(Control::lst, ControlEvent::SelectionChange);
    EXPECT_EQ(fake.capture.screen.previewFile, "/f/z0.bmp");
    form.OnControl(Control::cmdSnapshot, ControlEvent::Click);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "Velmoran is not running!");
    form.OnControl(Control::cmd, ControlEvent::Click);
    EXPECT_EQ(fake.capture.writer.saves, 1);
}

TEST_F(MainWindowCommands, TheAboutWindowOpensOnceAtATime) {
    fake.about.whileOpen = [this] { form.OnMenu(MenuItem::mnuAboutVelmoranFE); };
    form.OnMenu(MenuItem::mnuAboutVelmoranFE);
    EXPECT_EQ(fake.about.openings, 1);
    form.OnMenu(MenuItem::mnuAboutVelmoranFE);  // closed again: the next opening is allowed
    EXPECT_EQ(fake.about.openings, 2);
    form.OnMenu(MenuItem::mnuHelp);  // the menu's title opens nothing
    EXPECT_EQ(fake.about.openings, 2);
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST(MainWindowLayout, ControlsKeepTheirPlacesAndStates) {
    const auto& save = LayoutOf(Control::cmd);
    EXPECT_FALSE(save.visible);
    EXPECT_EQ(save.container, Control::fra);
    const auto& snapshot = LayoutOf(Control::cmdSnapshot);
    EXPECT_FALSE(snapshot.visible);
    EXPECT_EQ(snapshot.toolTip, "Disabled for bugs");
    EXPECT_EQ(LayoutOf(Control::Text1).caption, "1");

    // Everything of the capture panel lies below the 215-pixel client area at start.
    for (Control c : {Control::pic0, Control::cmdZoomIn, Control::cmdZoomOut, Control::Text1, Control::Check1,
                      Control::Check2, Control::fra, Control::cmdRecord})
        EXPECT_GT(LayoutOf(c).top, kMainWindowClientSize.height) << LayoutOf(c).name;
    // So it is made after the window shows, but for the preview picture, which the load sizes.
    for (const auto& entry : MainWindowLayout()) {
        if (entry.kind == ControlKind::Label) continue;
        EXPECT_EQ(MadeAfterFirstShow(entry), entry.id != Control::pic0) << entry.name;
    }
    ControlLayout inView = LayoutOf(Control::cmdRecord);
    inView.top = kMainWindowClientSize.height - 1;
    EXPECT_FALSE(MadeAfterFirstShow(inView));

    std::set<int> tabs;
    for (const auto& entry : MainWindowLayout()) tabs.insert(entry.tabIndex);
    EXPECT_EQ(tabs.size(), MainWindowLayout().size()) << "tab indices are unique";
}

TEST(MainWindowMenu, ParentsComeFirstAndDesignChecksAreSet) {
    std::set<MenuItem> seen;
    int checked = 0;
    for (const auto& item : MainMenuTree()) {
        if (item.parent) {
            EXPECT_TRUE(seen.count(*item.parent)) << item.caption;
        }
        seen.insert(item.id);
        if (item.checked) ++checked;
    }
    EXPECT_EQ(checked, 2);
    EXPECT_EQ(seen.size(), 22u);
}

TEST(MainWindowMenu, MnemonicsAreUniqueWithinEachMenu) {
    std::map<std::optional<MenuItem>, std::set<char>> mnemonics;
    for (const auto& item : MainMenuTree()) {
        const char key = Mnemonic(item.caption);
        if (key == 0) continue;
        EXPECT_TRUE(mnemonics[item.parent].insert(key).second) << item.caption;
    }
    EXPECT_EQ(Mnemonic("Fish && &Chips"), 'c');
    EXPECT_EQ(Mnemonic("Fish && Chips"), 0);
}

TEST(MainWindowKeys, AltWithAMenusMnemonicOpensItAndAControlActsOnlyWhenSeenAndUseful) {
    const auto everything = [](Control) { return true; };
    const auto nothing = [](Control) { return false; };
    // Alt+R is "&Run"'s, even while "&Record" (which has no action) can be seen.
    for (const char key : {'r', 'R', 'o', 'u', 'h'}) EXPECT_EQ(RouteAltKey(key, everything), AltKeyTarget::MenuBar) << key;
    // "&Take Snapshot" acts on its key only when it can be seen.
    EXPECT_EQ(RouteAltKey('T', everything), AltKeyTarget::Control);
    EXPECT_EQ(RouteAltKey('t', nothing), AltKeyTarget::MenuBar);
    EXPECT_EQ(RouteAltKey('x', everything), AltKeyTarget::MenuBar);
}

}  // namespace
}  // namespace vfe
