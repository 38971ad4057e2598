// The demo's tour, for `make run` on a machine without a display: the front-end of the demo
// folder is driven as a person would drive it, on the private display, and the screen is
// saved at three points:
//   main-window.png    the main window as it opens;
//   capture-panel.png  the window enlarged to show its capture panel, after a short
//                      recording of the emulator's stand-in was saved as a video;
//   about.png          the About window with the readme.
// Then the stand-in and the front-end are closed from the menus, and the tour's own video
// is removed again; every other file of the folder stays.
//   demo_tour <demo folder> <screenshot folder>
// Prints each screenshot's path; fails (exit status 1) at the first step that did not happen.
#include <algorithm>
#include <optional>
#include <cstdio>
#include <string>
#include <vector>

#include "support/E2E.h"

namespace {

namespace fs = std::filesystem;
using e2e::Milliseconds;

constexpr int kTourFrames = 10;
constexpr const char* kEmulatorCaption = "Velmoran Alpha v0.2a";
constexpr const char* kAboutCaption = "About Velmoran Front-End";

fs::path demoFolder, shotFolder;

// The part of the screen that the window covers, as the display shows it, saved as a PNG.
bool SaveWindowShot(HWND window, const std::string& name) {
    RECT area = e2e::ScreenRectOf(window);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!IntersectRect(&area, &area, &screen)) {
        ADD_FAILURE() << name << ": the window is off the screen";
        return false;
    }
    std::error_code error;
    fs::create_directories(shotFolder, error);
    const std::string file = e2e::UnixPath(shotFolder / name);
    const auto grabbed = e2e::RunUnix(
        "ffmpeg -loglevel error -y -f x11grab -draw_mouse 0 -video_size " + std::to_string(area.right - area.left) +
        "x" + std::to_string(area.bottom - area.top) + " -i \"$DISPLAY+" + std::to_string(area.left) + "," +
        std::to_string(area.top) + "\" -frames:v 1 " + e2e::ShellQuoted(file));
    if (grabbed) std::printf("screenshot: %s\n", file.c_str());
    return grabbed.has_value();
}

// The window and its controls painted now, before the display is read.
bool Painted(HWND window) {
    return RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW) &&
           e2e::Answers(window);
}

// Asked of the control itself: for another process's window the system keeps no copy of the text.
LRESULT TextLength(HWND control) {
    DWORD_PTR length = 0;
    return SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 1000, &length) ? length : 0;
}

std::vector<std::string> Videos() {
    std::vector<std::string> videos;
    for (const auto& entry : fs::directory_iterator(demoFolder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("Velmoran_Cap_") && name.ends_with(".avi")) videos.push_back(name);
    }
    std::sort(videos.begin(), videos.end());
    return videos;
}

std::optional<e2e::MessageBoxInfo> WaitForSavedMessage(const e2e::FrontEnd& fe) {
    return e2e::WaitForDialog(
        fe.process.id(),
        [](HWND window) {
            const HWND text = GetDlgItem(window, 0xFFFF);
            return text && e2e::WindowText(text).starts_with("Saved ");
        },
        Milliseconds(60000));
}

class Tour : public ::testing::Test {
protected:
    // The screen as a failed tour left it, its windows still up (e2e-screenshots/ beside the program).
    void TearDown() override { e2e::ScreenshotIfFailed(); }
    std::optional<e2e::FrontEnd> running;
};

TEST_F(Tour, MainWindowCapturePanelAndAbout) {
    const std::vector<std::string> videosBefore = Videos();
    const e2e::FrontEnd& fe = running.emplace(demoFolder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(Painted(fe.window()));
    ASSERT_TRUE(SaveWindowShot(fe.window(), "main-window.png"));

    // A short recording of the emulator's stand-in; restoring the window saves it, with the
    // compressor the dialog offers first.
    ASSERT_TRUE(e2e::LaunchEmulatorAndRecord(fe)) << "Run > Velmoran Alpha, then Record High Quality";
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FramesInCaption(fe.window()) >= kTourFrames; }))
        << "no frames were recorded";
    ShowWindowAsync(fe.window(), SW_RESTORE);
    const auto compression = e2e::WaitForCompressionDialog(fe, Milliseconds(30000));
    ASSERT_TRUE(compression) << "no compression dialog";
    ASSERT_TRUE(e2e::Answer(*compression, IDOK));
    const auto saved = WaitForSavedMessage(fe);
    ASSERT_TRUE(saved) << "no \"Saved\" message";
    std::printf("the recording, saved: %s\n", saved->text.c_str());
    ASSERT_TRUE(e2e::Answer(*saved, IDOK));

    // Enlarged to the whole screen, as a person would drag it, so the capture panel shows.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(fe.window(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(e2e::WaitUntil([&] {
        const SIZE size = e2e::OuterSize(fe.window());
        return size.cx == width && size.cy == height;
    })) << "the window was not enlarged";
    ASSERT_TRUE(Painted(fe.window()));
    ASSERT_TRUE(SaveWindowShot(fe.window(), "capture-panel.png"));

    // Help > About, with the readme loaded.
    ASSERT_TRUE(e2e::Menu(fe, "h", "a"));
    HWND about = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] {
        about = e2e::FindTopWindow(kAboutCaption);
        const HWND box = about ? FindWindowExA(about, nullptr, nullptr, nullptr) : nullptr;
        return box && IsWindowVisible(about) && TextLength(box) > 0;
    })) << "no About window with the readme";
    ASSERT_TRUE(Painted(about));
    ASSERT_TRUE(SaveWindowShot(about, "about.png"));
    PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitForWindowGone(about));

    // Closed as a person closes them: Run > Close Velmoran, Run > Exit.
    ASSERT_TRUE(e2e::Menu(fe, "r", "c"));
    ASSERT_TRUE(e2e::WaitForWindowGone(kEmulatorCaption));
    ASSERT_TRUE(e2e::Menu(fe, "r", "e"));
    ASSERT_TRUE(fe.process.WaitForExit());

    for (const auto& video : Videos()) {
        if (std::find(videosBefore.begin(), videosBefore.end(), video) != videosBefore.end()) continue;
        std::error_code error;
        EXPECT_TRUE(fs::remove(demoFolder / video, error)) << "the tour's video stays: " << error.message();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: demo_tour <demo folder> <screenshot folder>\n");
        return 2;
    }
    demoFolder = argv[1];
    shotFolder = argv[2];
    int none = 1;
    ::testing::InitGoogleTest(&none, argv);
    return RUN_ALL_TESTS();
}
