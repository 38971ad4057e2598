// The main window as a user meets it: its caption and size, the minimum size it
// keeps, and the two ways to end the program.
#include "support/E2E.h"

namespace {

using e2e::FrontEnd;

class MainWindow : public e2e::FrontEndTest {};

TEST_F(MainWindow, OpensWithItsCaptionAndClientSize) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    EXPECT_EQ(e2e::WindowText(fe.window()), "Velmoran Front-End (by Quorvex)");
    const SIZE client = e2e::ClientSize(fe.window());
    EXPECT_EQ(client.cx, 498);
    EXPECT_EQ(client.cy, 215);
}

// 5800 x 3200 twips at 15 twips per pixel, rounded up: the smallest outer size kept.
constexpr LONG kMinimumWidth = 387;
constexpr LONG kMinimumHeight = 214;

void Resize(HWND window, int width, int height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(MainWindow, KeepsItsMinimumOuterSize) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());

    Resize(fe.window(), 200, 100);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const SIZE outer = e2e::OuterSize(fe.window());
        return outer.cx >= kMinimumWidth && outer.cy >= kMinimumHeight;
    })) << "outer size " << e2e::OuterSize(fe.window()).cx << " x " << e2e::OuterSize(fe.window()).cy;

    // Each dimension on its own: a large enough one is left as it is.
    Resize(fe.window(), 600, 100);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::OuterSize(fe.window()).cy >= kMinimumHeight; }));
    EXPECT_EQ(e2e::OuterSize(fe.window()).cx, 600);

    Resize(fe.window(), 100, 400);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::OuterSize(fe.window()).cx >= kMinimumWidth; }));
    EXPECT_EQ(e2e::OuterSize(fe.window()).cy, 400);
}

TEST_F(MainWindow, MinimizingLeavesTheSizeAlone) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    Resize(fe.window(), 450, 300);
    ShowWindow(fe.window(), SW_MINIMIZE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsIconic(fe.window()) != FALSE; }));
    ShowWindow(fe.window(), SW_RESTORE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsIconic(fe.window()) == FALSE; }));
    EXPECT_EQ(e2e::OuterSize(fe.window()).cx, 450);
    EXPECT_EQ(e2e::OuterSize(fe.window()).cy, 300);
    EXPECT_TRUE(fe.process.IsRunning());
}

TEST_F(MainWindow, ExitEndsTheFrontEndButNotTheEmulator) {
    e2e::Process emulator = folder.Start("velmoran.exe");
    ASSERT_TRUE(e2e::WaitForWindow("Velmoran Alpha v0.2a"));
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());

    e2e::Menu(fe, "r", "e");  // Run > Exit
    ASSERT_TRUE(fe.process.WaitForExit());
    EXPECT_EQ(fe.process.ExitCode(), 0u);
    EXPECT_TRUE(emulator.IsRunning());
    EXPECT_TRUE(e2e::FindTopWindow("Velmoran Alpha v0.2a"));
    // Asked nothing: the emulator got no close request.
    for (const auto& line : folder.LogLines("velmoran.exe")) EXPECT_NE(line, "WM_CLOSE");
}

TEST_F(MainWindow, ClosingTheWindowEndsTheProgram) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    PostMessageA(fe.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(fe.process.WaitForExit());
    EXPECT_EQ(fe.process.ExitCode(), 0u);
    EXPECT_FALSE(e2e::FindTopWindow(e2e::kMainCaption));
}

}  // namespace

namespace {

// The keyboard menu driver that every command test relies on.
class MenuDriver : public e2e::FrontEndTest {};

TEST_F(MenuDriver, OpensWithTheFirstItemSelected) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    // Velmoran Alpha, Old GFX, Close Velmoran, (separator), Exit: three steps down.
    EXPECT_TRUE(e2e::Menu(fe, "r", "{down}", "{down}", "{down}", "{enter}"));
    EXPECT_TRUE(fe.process.WaitForExit());
}

TEST_F(MenuDriver, AKeyThatMatchesNothingLeavesNoMenuOpen) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    EXPECT_FALSE(e2e::Menu(fe, "o", "q"));
    EXPECT_EQ(e2e::OpenMenuCount(fe.process.id()), 0);
    // Still usable afterwards.
    EXPECT_TRUE(e2e::Menu(fe, "r", "e"));
    EXPECT_TRUE(fe.process.WaitForExit());
}

}  // namespace
