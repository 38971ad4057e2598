// The Run menu, the display mode and the VMS browser under Wine, with the stand-ins as
// the outside programs: checked through their windows and the logs they keep.
#include <algorithm>
#include <fstream>
#include <future>
#include <thread>
#include <tuple>

#include "support/E2E.h"

namespace {

using e2e::FrontEnd;
using Lines = std::vector<std::string>;

constexpr const char* kMainBuild = "Velmoran Alpha v0.2a";
constexpr const char* kOldGfxBuild = "Velmoran Alpha v0.2a Old Gfx";
constexpr const char* kBrowser = "Velmoran VMS data Browser by Dorvik";

// Menu keys by mnemonic; true when the item was chosen and its command handled.
bool Choose(const FrontEnd& fe, std::initializer_list<std::string_view> keys) {
    return e2e::Menu(fe.window(), keys) && e2e::HandledPostedMessages(fe.window());
}
bool LaunchMainBuild(const FrontEnd& fe) { return Choose(fe, {"r", "a"}); }
bool LaunchOldGfxBuild(const FrontEnd& fe) { return Choose(fe, {"r", "g"}); }
bool CloseEmulator(const FrontEnd& fe) { return Choose(fe, {"r", "c"}); }
bool NormalView(const FrontEnd& fe) { return Choose(fe, {"o", "m", "n"}); }
bool MaximizedView(const FrontEnd& fe) { return Choose(fe, {"o", "m", "m"}); }
bool VmsBrowser(const FrontEnd& fe) { return Choose(fe, {"u", "v"}); }

Lines StartLines(const e2e::AppFolder& folder, std::string_view exe) {
    Lines starts;
    for (const auto& line : folder.LogLines(exe))
        if (line.starts_with("started ")) starts.push_back(line);
    return starts;
}

bool Logged(const e2e::AppFolder& folder, std::string_view exe, std::string_view line) {
    const auto lines = folder.LogLines(exe);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool WaitForStarts(const e2e::AppFolder& folder, std::string_view exe, std::size_t count) {
    return e2e::WaitUntil([&] { return StartLines(folder, exe).size() == count; });
}

// The window with this caption that belongs to a process other than `notThis`.
HWND WaitForWindowOfAnother(std::string_view caption, DWORD notThis) {
    HWND found = nullptr;
    e2e::WaitUntil([&] {
        found = e2e::FindTopWindow(caption);
        return found && e2e::ProcessIdOf(found) != notThis;
    });
    return found && e2e::ProcessIdOf(found) != notThis ? found : nullptr;
}

void ExpectBox(const std::optional<e2e::MessageBoxInfo>& box, std::string_view title, std::string_view text,
               bool yesNo) {
    ASSERT_TRUE(box) << "no message box with title " << title;
    EXPECT_EQ(box->title, title);
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->yes && box->no, yesNo);
    EXPECT_EQ(box->ok, !yesNo);
    EXPECT_FALSE(box->cancel);
}

constexpr std::string_view kNotRunningText = "Velmoran is not running!";

// A top-level window of the test's own, on a thread that answers its messages (other
// programs show it with sent messages), until the object goes.
class OwnWindow {
public:
    explicit OwnWindow(const char* caption) {
        std::promise<std::pair<HWND, DWORD>> created;
        auto made = created.get_future();
        thread_ = std::thread([caption, &created] {
            const HWND window = CreateWindowA("STATIC", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200,
                                              100, nullptr, nullptr, nullptr, nullptr);
            created.set_value({window, GetCurrentThreadId()});
            MSG message;
            while (window && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
            if (window) DestroyWindow(window);
        });
        std::tie(window_, threadId_) = made.get();
    }
    ~OwnWindow() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND window() const { return window_; }

private:
    std::thread thread_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

class EmulatorControl : public e2e::FrontEndTest {};

TEST_F(EmulatorControl, LaunchStartsTheMainBuildFromTheApplicationFolder) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(LaunchMainBuild(fe));
    const HWND emulator = e2e::WaitForWindow(kMainBuild);
    ASSERT_TRUE(emulator);
    ASSERT_TRUE(WaitForStarts(folder, "velmoran.exe", 1));
    // Shown normal, and started in the application folder (whose name has a blank).
    const std::string start = StartLines(folder, "velmoran.exe").front();
    EXPECT_TRUE(start.ends_with(" show=1 cwd=" + folder.path().string())) << start;
    EXPECT_EQ(e2e::WindowText(fe.window()), "Running velmoran.exe");
    EXPECT_FALSE(IsZoomed(emulator));
    EXPECT_TRUE(e2e::ShowsNoDialog(fe));
}

TEST_F(EmulatorControl, RestartAnsweredYesClosesTheOldInstanceAndStartsANewOne) {
    e2e::Process old = folder.Start("velmoran.exe");
    ASSERT_TRUE(e2e::WaitForWindow(kMainBuild));
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());

    ASSERT_TRUE(LaunchMainBuild(fe));
    const auto box = e2e::WaitForMessageBox(fe);
    ExpectBox(box, "Velmoran already running!",
              "Velmoran has already running.\r\nDo you want to close and open it again?", true);
    ASSERT_TRUE(box);
    ASSERT_TRUE(e2e::Answer(*box, IDYES));

    EXPECT_TRUE(old.WaitForExit());
    EXPECT_TRUE(WaitForWindowOfAnother(kMainBuild, old.id()));
    EXPECT_TRUE(WaitForStarts(folder, "velmoran.exe", 2));
    EXPECT_TRUE(Logged(folder, "velmoran.exe", "WM_CLOSE"));
    EXPECT_EQ(e2e::WindowText(fe.window()), "Running velmoran.exe");
}

TEST_F(EmulatorControl, RestartAnsweredNoLeavesTheBuildRunningButMakesItTheOneToClose) {
    e2e::Process old = folder.Start("velmoran_old_gfx.exe");
    ASSERT_TRUE(e2e::WaitForWindow(kOldGfxBuild));
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());

    ASSERT_TRUE(LaunchOldGfxBuild(fe));
    const auto box = e2e::WaitForMessageBox(fe);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Velmoran already running!");
    ASSERT_TRUE(e2e::Answer(*box, IDNO));
    ASSERT_TRUE(e2e::HandledPostedMessages(fe.window()));
    ASSERT_TRUE(folder.StandinCaughtUp("velmoran_old_gfx.exe", e2e::FindTopWindow(kOldGfxBuild)));
    EXPECT_FALSE(Logged(folder, "velmoran_old_gfx.exe", "WM_CLOSE"));
    EXPECT_TRUE(old.IsRunning());
    EXPECT_EQ(e2e::WindowText(fe.window()), e2e::kMainCaption);

    ASSERT_TRUE(CloseEmulator(fe));
    EXPECT_TRUE(old.WaitForExit());
    EXPECT_TRUE(Logged(folder, "velmoran_old_gfx.exe", "WM_CLOSE"));
    EXPECT_TRUE(e2e::ShowsNoDialog(fe));
    EXPECT_EQ(StartLines(folder, "velmoran_old_gfx.exe").size(), 1u);
}

TEST_F(EmulatorControl, MissingExecutableIsReportedUnderTheRunningCaption) {
    folder.Remove("velmoran.exe");
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(LaunchMainBuild(fe));
    const auto box = e2e::WaitForMessageBox(fe);
    ExpectBox(box, "Velmoran not found",
              "Velmoran not found.\r\nBe sure that you put Velmoran FE2 in Velmoran Alpha v0.2a directory.", false);
    EXPECT_EQ(e2e::WindowText(fe.window()), "Running velmoran.exe");
    ASSERT_TRUE(box);
    EXPECT_TRUE(e2e::Answer(*box, IDOK));
    EXPECT_EQ(e2e::WindowText(fe.window()), "Running velmoran.exe");
}

TEST_F(EmulatorControl, CloseBeforeAnyLaunchSaysNotRunningEvenWithAnEmulatorUp) {
    e2e::Process emulator = folder.Start("velmoran.exe");
    ASSERT_TRUE(e2e::WaitForWindow(kMainBuild));
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(CloseEmulator(fe));
    const auto box = e2e::WaitForMessageBox(fe);
    ExpectBox(box, kNotRunningText, kNotRunningText, false);
    ASSERT_TRUE(box);
    EXPECT_TRUE(e2e::Answer(*box, IDOK));
    ASSERT_TRUE(folder.StandinCaughtUp("velmoran.exe", e2e::FindTopWindow(kMainBuild)));
    EXPECT_TRUE(emulator.IsRunning());
    EXPECT_FALSE(Logged(folder, "velmoran.exe", "WM_CLOSE"));
}

TEST_F(EmulatorControl, OldGraphicsBuildLaunchedThenClosed) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(LaunchOldGfxBuild(fe));
    ASSERT_TRUE(e2e::WaitForWindow(kOldGfxBuild));
    EXPECT_EQ(e2e::WindowText(fe.window()), "Running velmoran_old_gfx.exe");
    // The display mode reshows the main build only: the old-graphics one is left as it is.
    ASSERT_TRUE(folder.WaitForLogLine("velmoran_old_gfx.exe", "size restored"));
    Lines expected = folder.LogLines("velmoran_old_gfx.exe");
    expected.push_back("ping");
    ASSERT_TRUE(MaximizedView(fe) && folder.StandinCaughtUp("velmoran_old_gfx.exe", e2e::FindTopWindow(kOldGfxBuild)));
    EXPECT_EQ(folder.LogLines("velmoran_old_gfx.exe"), expected);

    ASSERT_TRUE(CloseEmulator(fe));
    EXPECT_TRUE(e2e::WaitForWindowGone(kOldGfxBuild));
    EXPECT_TRUE(folder.WaitForLogLine("velmoran_old_gfx.exe", "exit"));
    EXPECT_TRUE(Logged(folder, "velmoran_old_gfx.exe", "WM_CLOSE"));
    EXPECT_FALSE(folder.Exists("velmoran.log"));  // the main build was never touched
    EXPECT_EQ(e2e::WindowText(fe.window()), "Running velmoran_old_gfx.exe");

    // Gone now: a second close has nothing to close.
    ASSERT_TRUE(CloseEmulator(fe));
    ExpectBox(e2e::WaitForMessageBox(fe), kNotRunningText, kNotRunningText, false);
}

TEST_F(EmulatorControl, MaximizedViewAppliesToTheNextLaunch) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(MaximizedView(fe));
    ASSERT_TRUE(LaunchMainBuild(fe));
    const HWND emulator = e2e::WaitForWindow(kMainBuild);
    ASSERT_TRUE(emulator);
    ASSERT_TRUE(WaitForStarts(folder, "velmoran.exe", 1));
    EXPECT_NE(StartLines(folder, "velmoran.exe").front().find(" show=3 "), std::string::npos);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsZoomed(emulator) != FALSE; }));
}

TEST_F(EmulatorControl, DisplayModeReshowsTheRunningMainBuild) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(LaunchMainBuild(fe));
    const HWND emulator = e2e::WaitForWindow(kMainBuild);
    ASSERT_TRUE(emulator);
    ASSERT_FALSE(IsZoomed(emulator));

    ASSERT_TRUE(MaximizedView(fe));
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsZoomed(emulator) != FALSE; }));
    EXPECT_TRUE(folder.WaitForLogLine("velmoran.exe", "size minimized"));  // minimized on the way

    ASSERT_TRUE(NormalView(fe));
    // Normal even though it was maximized when it was minimized.
    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.LogLines("velmoran.exe").back() == "size restored"; }));
    EXPECT_FALSE(IsZoomed(emulator));
    EXPECT_FALSE(IsIconic(emulator));
}

// The main build is found by its whole caption, in any letter case, as the system finds
// windows: a window of the test's own captioned in other letters is reshown, the
// old-graphics build (whose caption only begins the same way) is left alone.
TEST_F(EmulatorControl, DisplayModeFindsTheMainBuildByItsWholeCaptionInAnyLetterCase) {
    e2e::Process old = folder.Start("velmoran_old_gfx.exe");
    ASSERT_TRUE(e2e::WaitForWindow(kOldGfxBuild));
    ASSERT_TRUE(folder.WaitForLogLine("velmoran_old_gfx.exe", "size restored"));  // its own first show
    const Lines before = folder.LogLines("velmoran_old_gfx.exe");
    const OwnWindow mainBuild("VELMORAN alpha V0.2A");
    ASSERT_TRUE(mainBuild.window());
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());

    ASSERT_TRUE(MaximizedView(fe));
    EXPECT_TRUE(IsZoomed(mainBuild.window()));
    ASSERT_TRUE(NormalView(fe));
    EXPECT_FALSE(IsZoomed(mainBuild.window()));
    EXPECT_FALSE(IsIconic(mainBuild.window()));
    EXPECT_EQ(folder.LogLines("velmoran_old_gfx.exe"), before);
}

TEST_F(EmulatorControl, VmsBrowserIsRestartedWithoutAsking) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(VmsBrowser(fe));
    const HWND first = e2e::WaitForWindow(kBrowser);
    ASSERT_TRUE(first);
    const DWORD firstId = e2e::ProcessIdOf(first);
    EXPECT_TRUE(folder.WaitForLogLine("vmsbrowser.exe", "started pid=" + std::to_string(firstId) + " show=1"));

    ASSERT_TRUE(VmsBrowser(fe));
    EXPECT_TRUE(e2e::WaitForWindowGone(first));
    const HWND second = WaitForWindowOfAnother(kBrowser, firstId);
    ASSERT_TRUE(second);
    EXPECT_TRUE(WaitForStarts(folder, "vmsbrowser.exe", 2));
    EXPECT_TRUE(Logged(folder, "vmsbrowser.exe", "WM_CLOSE"));
    EXPECT_TRUE(e2e::ShowsNoDialog(fe));
    EXPECT_EQ(e2e::WindowText(fe.window()), e2e::kMainCaption);
}

TEST_F(EmulatorControl, MissingVmsBrowserIsReportedEachTimeAndTheEmulatorStays) {
    folder.Remove("vmsbrowser.exe");
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(LaunchMainBuild(fe));
    ASSERT_TRUE(e2e::WaitForWindow(kMainBuild));
    for (int time = 0; time < 2; ++time) {
        ASSERT_TRUE(VmsBrowser(fe));
        const auto box = e2e::WaitForMessageBox(fe);
        ExpectBox(box, "VMS Browser not found",
                  "VMS Browser not found.\r\n"
                  "Be sure that you put Velmoran FE2 in Velmoran Alpha v0.2a directory \r\n"
                  "and that you have vmsbrowser application on this directory.",
                  false);
        ASSERT_TRUE(box);
        ASSERT_TRUE(e2e::Answer(*box, IDOK));
    }
    ASSERT_TRUE(folder.StandinCaughtUp("velmoran.exe", e2e::FindTopWindow(kMainBuild)));
    EXPECT_FALSE(Logged(folder, "velmoran.exe", "WM_CLOSE"));
    EXPECT_EQ(e2e::WindowText(fe.window()), "Running velmoran.exe");
}

// Blanks and characters a command shell would act on: the path is taken as it is.
TEST_F(EmulatorControl, LaunchFromAFolderWithShellCharacters) {
    const auto odd = folder / "Run & Play (v0.2a) 100%";
    std::filesystem::create_directory(odd);
    for (const char* name : {e2e::kFrontEndExe, "velmoran.exe", e2e::kFlashName})
        std::filesystem::copy_file(folder / name, odd / name);
    e2e::Process frontEnd = e2e::StartProcess(odd / e2e::kFrontEndExe);
    HWND window = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] {
        window = e2e::FindTopWindow(e2e::kMainCaption);
        return window && e2e::ProcessIdOf(window) == frontEnd.id();
    }));
    ASSERT_TRUE(e2e::Menu(window, {"r", "a"}));
    ASSERT_TRUE(e2e::WaitForWindow(kMainBuild));
    std::ifstream log(odd / "velmoran.log");
    std::string start;
    std::getline(log, start);
    EXPECT_NE(start.find(" show=1 cwd=" + odd.string()), std::string::npos) << start;
    EXPECT_FALSE(folder.Exists("velmoran.log"));  // not the folder's other copy
}

}  // namespace
