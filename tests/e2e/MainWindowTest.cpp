// The main window as a user meets it: its caption, size and picture, the minimum size
// it keeps, and the two ways to end the program.
#include "support/E2E.h"

#include "shell/Artwork.h"

namespace {

using e2e::FrontEnd;

class MainWindow : public e2e::FrontEndTest {};

// The two labels on the background, in client pixels: the title and the copyright notice.
constexpr RECT kTitleLabel{136, 144, 136 + 163, 144 + 20};
constexpr RECT kCopyrightLabel{8, 200, 8 + 151, 200 + 13};

bool Inside(const RECT& area, int x, int y, int margin = 0) {
    return x >= area.left - margin && x < area.right + margin && y >= area.top - margin && y < area.bottom + margin;
}

TEST_F(MainWindow, OpensWithItsCaptionSizeAndPicture) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    EXPECT_EQ(e2e::WindowText(fe.window()), "Velmoran Front-End (by Quorvex)");
    const SIZE client = e2e::ClientSize(fe.window());
    EXPECT_EQ(client.cx, 498);
    EXPECT_EQ(client.cy, 215);

    // On the screen: the background picture at the client's top left, and white text only
    // where the layout puts the two labels (font rendering may differ, so shares, not shapes).
    const vfe::Picture24 background = vfe::DrawArtwork(vfe::Artwork::MainBackground);
    const RECT area = e2e::ClientRectOnScreen(fe.window());
    const auto backgroundAt = [&](int x, int y) {
        const std::size_t at = static_cast<std::size_t>(y) * background.Stride() + static_cast<std::size_t>(x) * 3;
        return RGB(background.pixels[at + 2], background.pixels[at + 1], background.pixels[at]);
    };
    // Pixels that differ from the picture are a label's text: white, within the label's area.
    const RECT labels[] = {kTitleLabel, kCopyrightLabel};
    int strayPixels = 0;
    RECT inked[2]{};
    int inkedPixels[2]{};
    const auto look = [&] {
        const auto screen = e2e::GrabScreen();
        if (!screen) return false;
        strayPixels = 0;
        for (int label = 0; label < 2; ++label) inked[label] = {client.cx, client.cy, -1, -1}, inkedPixels[label] = 0;
        for (int y = 0; y < client.cy; ++y) {
            for (int x = 0; x < client.cx; ++x) {
                const e2e::Colour seen = screen->At(area.left + x, area.top + y);
                if (e2e::Near(seen, backgroundAt(x, y), 24)) continue;
                int label = 0;
                while (label < 2 && !Inside(labels[label], x, y, 2)) ++label;
                if (label == 2 || !e2e::Near(seen, RGB(255, 255, 255), 96)) {  // text edges blend in
                    strayPixels += label == 2 ? 1 : 0;
                    continue;
                }
                ++inkedPixels[label];
                RECT& box = inked[label];
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
            }
        }
        return strayPixels == 0 && inkedPixels[0] > 0 && inkedPixels[1] > 0;
    };
    EXPECT_TRUE(e2e::WaitUntil(look, e2e::Milliseconds(5000)))
        << strayPixels << " pixels are neither the background picture nor a label's";
    for (int label = 0; label < 2; ++label) {
        const RECT& box = inked[label];
        SCOPED_TRACE(label == 0 ? "the title label" : "the copyright label");
        // Text from the label's left edge, within its area, over at least half its width.
        EXPECT_GE(inkedPixels[label], 60);
        EXPECT_LE(std::abs(box.left - labels[label].left), 2) << "text starts at x " << box.left;
        EXPECT_LE(box.right, labels[label].right + 2);
        EXPECT_GE(box.right - box.left, (labels[label].right - labels[label].left) / 2);
        EXPECT_GE(box.top, labels[label].top - 2);
        EXPECT_LE(box.bottom, labels[label].bottom + 2);
    }
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
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(e2e::Menu(fe, "r", "a"));  // Run > Velmoran Alpha: the build Exit could close
    const HWND emulator = e2e::WaitForWindow("Velmoran Alpha v0.2a");
    ASSERT_TRUE(emulator);

    ASSERT_TRUE(e2e::Menu(fe, "r", "e"));  // Run > Exit
    ASSERT_TRUE(fe.process.WaitForExit());
    EXPECT_EQ(fe.process.ExitCode(), 0u);
    // Asked nothing: once the emulator has handled all that was posted to it, no close
    // request is among it.
    ASSERT_TRUE(folder.StandinCaughtUp("velmoran.exe", emulator));
    EXPECT_TRUE(IsWindow(emulator));
    for (const auto& line : folder.LogLines("velmoran.exe")) EXPECT_NE(line, "WM_CLOSE");
}

// Dialog navigation turns Enter and Escape into OK and Cancel, which this window has not.
TEST_F(MainWindow, EnterAndEscapeSayNothing) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    for (const char* key : {"Return", "Escape"}) {
        SCOPED_TRACE(key);
        // Once the Help menu opens, the key before Alt+H has been handled, and no box took Alt+H.
        ASSERT_TRUE(e2e::PressKeysIn(fe.window(), std::string(key) + " alt+h"));
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::OpenMenus(fe.process.id()).size() == 1; }, e2e::Milliseconds(3000)));
        ASSERT_TRUE(e2e::PressKeys("Escape Escape"));
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::OpenMenus(fe.process.id()).empty(); }));
        EXPECT_TRUE(e2e::ShowsNoDialog(fe));
    }
}

}  // namespace

namespace {

// The keyboard menu driver that every command test relies on.
class MenuDriver : public e2e::FrontEndTest {};

TEST_F(MenuDriver, AltWithEachMnemonicOfTheBarOpensItsMenu) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    // Each menu opens under its own title: left to right in the bar's order.
    LONG previousLeft = -1;
    for (const char* mnemonic : {"r", "o", "u", "h"}) {
        SCOPED_TRACE(std::string("Alt+") + mnemonic);
        ASSERT_TRUE(e2e::PressKeysIn(fe.window(), std::string("alt+") + mnemonic));
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::OpenMenus(fe.process.id()).size() == 1; }, e2e::Milliseconds(3000)));
        const LONG left = e2e::ScreenRectOf(e2e::OpenMenus(fe.process.id())[0]).left;
        EXPECT_GT(left, previousLeft);
        previousLeft = left;
        ASSERT_TRUE(e2e::PressKeys("Escape Escape"));
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::OpenMenus(fe.process.id()).empty(); }));
    }
}

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
