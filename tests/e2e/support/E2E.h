#pragma once
// Tools for the end-to-end tests, which drive the real front-end and the stand-ins
// under Wine as a user would: through windows, captions, real key presses, the screen's
// pixels and files.
//
// A typical test:
//
//   class Exit : public e2e::FrontEndTest {};        // fresh folder + clean settings
//   TEST_F(Exit, LeavesTheEmulatorRunning) {
//       e2e::Process emulator = folder.Start("velmoran.exe");
//       e2e::FrontEnd fe(folder);                     // starts VelmoranFE2.exe, waits for its window
//       ASSERT_TRUE(e2e::Menu(fe, "r", "e"));         // Run > Exit
//       EXPECT_TRUE(fe.process.WaitForExit());
//       EXPECT_TRUE(emulator.IsRunning());
//   }                                                 // teardown kills all and removes the folder
//
// Menus: real key presses (see Focus and PressKeys). Alt with the first key opens a menu
// of the bar by its mnemonic; each further key is
// either a mnemonic character or one of "{down}", "{up}", "{right}", "{left}",
// "{enter}", "{escape}" for items without one. A menu or submenu opened from the
// keyboard starts with its first item selected, so Menu(fe, "u", "a", "{enter}") is
// Utilities > Avi Recorder > Record Low Quality and Menu(fe, "u", "a", "{down}",
// "{enter}") is Record High Quality.
//
// Message boxes: WaitForMessageBox(fe) finds a dialog of the front-end's process and
// reads its title, text and buttons; Answer(box, IDYES) clicks one.
//
// Every wait takes a timeout and returns a result instead of failing by itself, so a
// test says what it expected: ASSERT_TRUE(e2e::WaitForWindowGone(...)).
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "shell/FormLayout.h"
#include "win32/Handles.h"

namespace e2e {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;
inline constexpr Milliseconds kTimeout{10000};

// ---- Waiting ---------------------------------------------------------------------

// Polls `condition` until it holds or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout = kTimeout);

// ---- Files of the build ----------------------------------------------------------

// The folder of e2e_tests.exe, where the build puts VelmoranFE2.exe, the stand-ins
// (velmoran.exe, velmoran_old_gfx.exe, vmsbrowser.exe, velmoran_v01.exe) and the readme.
std::filesystem::path BuildDir();

inline constexpr const char* kFrontEndExe = "VelmoranFE2.exe";
inline constexpr const char* kReadmeName = "Velmoran FE ReadMe.txt";
inline constexpr const char* kFlashName = "dc_flash.bin";
inline constexpr std::size_t kFlashSize = 131072;
inline constexpr std::size_t kRegionOffset = 0x1A002;
inline const std::vector<std::string> kStandinNames{"velmoran.exe", "velmoran_old_gfx.exe", "vmsbrowser.exe",
                                                    "velmoran_v01.exe"};

// A 131072-byte flash image: a fixed pattern with "<region>21Dreamcast" at 0x1A002.
std::string FlashImage(char region = '0');

// ---- Processes -------------------------------------------------------------------

// A process the test started; it is killed when the object goes, unless it ended.
class Process {
public:
    Process() = default;
    Process(HANDLE process, DWORD id) : handle_(process), id_(id) {}
    ~Process() { Kill(); }
    Process(Process&& other) noexcept = default;
    Process& operator=(Process&& other) noexcept {
        Kill();
        handle_ = std::move(other.handle_);
        id_ = other.id_;
        return *this;
    }

    DWORD id() const { return id_; }
    HANDLE handle() const { return handle_.get(); }
    bool IsRunning() const;
    // True when the process ended within the timeout.
    bool WaitForExit(Milliseconds timeout = kTimeout) const;
    std::optional<DWORD> ExitCode() const;  // empty while it runs
    void Kill();

private:
    vfe::win32::KernelHandle handle_;
    DWORD id_ = 0;
};

// Starts `exePath` with the show code (SW_SHOWNORMAL...) in the STARTUPINFO, as the
// front-end starts the emulator, in `workingDir` (the program's folder when empty).
// Fails the test (and returns an empty Process) when it cannot be started.
Process StartProcess(const std::filesystem::path& exePath, int showCode = SW_SHOWNORMAL,
                     const std::filesystem::path& workingDir = {});

// Ends every process whose executable lies inside `folder` (e.g. stand-ins that the
// front-end started) and waits for them to go. Returns how many were ended.
int KillProcessesInside(const std::filesystem::path& folder);

// ---- A fresh application folder --------------------------------------------------

// A message the stand-in answers with the log line "ping".
inline constexpr UINT kStandinPing = WM_APP;

struct FolderContents {
    bool frontEnd = true;                                  // VelmoranFE2.exe
    std::vector<std::string> standins = kStandinNames;     // copies of the stand-in
    std::optional<std::string> flash = FlashImage('0');    // dc_flash.bin content; none when empty
    bool readme = true;                                    // the shipped readme
    std::optional<int> diskMegabytes = std::nullopt;       // a disk of its own this small (a tmpfs; root only)
    std::wstring nameEnd = L"";                            // added to the folder's name
};

// A new folder in the temp directory, filled as asked. Its name contains a blank, as
// real install folders do, and ends with `nameEnd` (L" \u6e38\u620f": characters outside
// the system's code page). Narrow paths are UTF-8 here, as in the front-end. At the end
// every process running from it is ended and the folder is removed.
class AppFolder {
public:
    explicit AppFolder(const FolderContents& contents = {});
    ~AppFolder();
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
    bool Exists(std::string_view name) const;
    std::string Read(std::string_view name) const;  // whole file; empty when missing
    void Write(std::string_view name, std::string_view bytes) const;
    void Remove(std::string_view name) const;
    // Names of the files in the folder, sorted.
    std::vector<std::string> Files() const;
    // The frame files (z<digits>.bmp) and the videos (Velmoran_Cap_*.avi), sorted by name.
    std::vector<std::string> FrameFiles() const;
    std::vector<std::string> Videos() const;

    // The lines a stand-in wrote to "<name without .exe>.log", e.g. LogLines("velmoran.exe").
    std::vector<std::string> LogLines(std::string_view standinExe) const;
    // How many lines of the stand-in's log start with `prefix` ("started", "WM_CLOSE"...).
    int CountLogLines(std::string_view standinExe, std::string_view prefix) const;
    // Waits until the stand-in's log holds a line that starts with `prefix`.
    bool WaitForLogLine(std::string_view standinExe, std::string_view prefix, Milliseconds timeout = kTimeout) const;
    // Whether the stand-in has handled every message posted to its `window` before this
    // call (a close request of the front-end's): it logs "ping" for kStandinPing, posted
    // behind them.
    bool StandinCaughtUp(std::string_view standinExe, HWND window) const;

    // Starts a program of the folder directly (not through the front-end).
    Process Start(std::string_view exe, int showCode = SW_SHOWNORMAL) const;

private:
    std::filesystem::path path_;
    bool mounted_ = false;
};

// ---- Windows ---------------------------------------------------------------------

// The top-level window with this whole caption (case ignored, as the front-end looks).
HWND FindTopWindow(std::string_view caption);
HWND WaitForWindow(std::string_view caption, Milliseconds timeout = kTimeout);
bool WaitForWindowGone(std::string_view caption, Milliseconds timeout = kTimeout);
bool WaitForWindowGone(HWND window, Milliseconds timeout = kTimeout);
// Every visible top-level window of a process.
std::vector<HWND> TopWindowsOf(DWORD processId);

std::string WindowText(HWND window);
// The first child window (at any depth) of that class, ignoring case, and with that
// caption when one is given; null when none.
HWND ChildOfClass(HWND parent, const char* className, std::optional<std::string_view> caption = {});
// Whether the window's thread takes a message within 5 s.
bool Answers(HWND window);
// Whether the front-end has handled every message posted to it before this call (the
// command of a chosen menu item, a posted click, its own posted work), its message boxes
// shown by then: the ground for checking that something did not happen. A sent message,
// as Answers() sends, would overtake them.
bool HandledPostedMessages(HWND mainWindow, Milliseconds timeout = kTimeout);
// The number a recording's caption ("N frames captured...") counts; -1 for any other caption.
inline constexpr const char* kFramesSuffix = " frames captured...";
int FramesInCaption(HWND window);
SIZE ClientSize(HWND window);
SIZE OuterSize(HWND window);
DWORD ProcessIdOf(HWND window);

// ---- Unix tools ------------------------------------------------------------------

// The Unix path of a Windows path, through Wine; empty when there is none.
std::string UnixPath(const std::filesystem::path& path);
// A folder for the files that Unix tools and the tests exchange.
std::filesystem::path UnixScratchFolder();
// `text` in single quotes for /bin/sh.
std::string ShellQuoted(std::string_view text);
// Runs a /bin/sh command line (on the test's display: $DISPLAY) and gives what it printed.
// Adds a test failure with that output and gives nothing when it did not exit with 0.
std::optional<std::string> RunUnix(const std::string& command, Milliseconds timeout = Milliseconds(60000));
// The same without touching the test's result: its exit status, -1 when it did not run or finish.
int RunUnixQuietly(const std::string& command, Milliseconds timeout, std::string* printed = nullptr);

// ---- A person at the display: real keys, the screen's pixels ----------------------

// Makes the window's top-level window the foreground window and waits until the X server
// gives it the keyboard focus, as a click on it would. False when it never had it.
bool Focus(HWND window);
// Presses keys on the display's keyboard, for whichever window has the focus, in xdotool's
// names: "alt+r", "Tab", "shift+Tab", "Down Return"... Key presses are queued in order.
bool PressKeys(std::string_view keys);
// Focus(window), then PressKeys(keys).
bool PressKeysIn(HWND window, std::string_view keys);

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
};
// Each channel within `tolerance` of `expected`.
bool Near(Colour colour, COLORREF expected, int tolerance = 16);

// One picture of the whole screen as the display shows it.
struct ScreenImage {
    int width = 0, height = 0;
    std::string rgb;  // rows top-down, three bytes a pixel
    Colour At(int x, int y) const;
    // The share of the pixels of `area` (screen coordinates) that match, 0 to 1.
    double Share(const RECT& area, const std::function<bool(Colour)>& matches) const;
};
std::optional<ScreenImage> GrabScreen();
// Saves the screen as a PNG file.
bool SaveScreenshot(const std::filesystem::path& file);
// A window's outer rectangle and its client area, in screen coordinates.
RECT ScreenRectOf(HWND window);
RECT ClientRectOnScreen(HWND window);

// When the running test has failed, saves the screen once per test as
// e2e-screenshots/<Suite>.<Test>.png in the build folder and prints its path. Every test
// does so at its first failure, while the windows it failed on are still up.
void ScreenshotIfFailed();

// ---- The front-end ---------------------------------------------------------------

inline constexpr std::string_view kMainCaption = vfe::kMainWindowCaption;

// The front-end started from an application folder, with its main window found.
// Construction fails the test (window() is then null) when the window does not come.
struct FrontEnd {
    explicit FrontEnd(const AppFolder& folder, Milliseconds timeout = kTimeout) : FrontEnd(folder.path(), timeout) {}
    // From any application folder (the demo folder, for its tour).
    explicit FrontEnd(const std::filesystem::path& folder, Milliseconds timeout = kTimeout);
    // Started from a Unix shell that first runs `shellSetup`, as from a terminal; e.g.
    // "ulimit -f 20480; trap '' XFSZ" lowers the file-size limit, past which writes fail.
    FrontEnd(const AppFolder& folder, const std::string& shellSetup, Milliseconds timeout = kTimeout);
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;
    HWND window() const { return window_; }
    Process process;

private:
    void WaitUntilLoaded(Milliseconds timeout);
    HWND window_ = nullptr;
};

// Drives the front-end's menus from the display's keyboard (see the top of this file),
// after giving the window the focus. Returns
// when the menu has closed again, true when it did, i.e. an item was chosen; the
// chosen command itself runs a moment later, so wait for its effect. A menu left
// open (a key matched nothing) is closed with Escape and gives false.
bool Menu(HWND window, std::initializer_list<std::string_view> keys);
template <typename... Keys>
bool Menu(const FrontEnd& fe, Keys... keys) {
    return Menu(fe.window(), {std::string_view(keys)...});
}
// The menus (#32768 windows) the process has open, and their number.
std::vector<HWND> OpenMenus(DWORD processId);
int OpenMenuCount(DWORD processId);

// ---- Message boxes ---------------------------------------------------------------

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string title;
    std::string text;  // the static text (id 0xFFFF), line breaks as the box holds them
    bool ok = false, cancel = false, yes = false, no = false;
};

// The first visible dialog (#32770) of the process that `matches`; none when the timeout passes.
std::optional<MessageBoxInfo> WaitForDialog(DWORD processId, const std::function<bool(HWND)>& matches,
                                            Milliseconds timeout = kTimeout);
// The first visible dialog of any kind.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Milliseconds timeout = kTimeout);
inline std::optional<MessageBoxInfo> WaitForMessageBox(const FrontEnd& fe, Milliseconds timeout = kTimeout) {
    return WaitForMessageBox(fe.process.id(), timeout);
}
// True when the front-end, having handled what was posted to it before the call
// (HandledPostedMessages), shows no dialog.
bool ShowsNoDialog(const FrontEnd& fe, Milliseconds timeout = kTimeout);

// Run > Velmoran Alpha, then Record High Quality, answered OK: frames are being taken.
// False at the first step that did not happen.
bool LaunchEmulatorAndRecord(const FrontEnd& fe);
// Clicks IDOK, IDCANCEL, IDYES or IDNO, and waits for the box to go.
bool Answer(const MessageBoxInfo& box, int buttonId, Milliseconds timeout = kTimeout);

// ---- The system's compression dialog ----------------------------------------------

// The dialog's list of compressors, a Unicode combo box.
inline constexpr int kCompressorList = 880;
// The dialog of the process that holds the list (Wine shows two, "Compress options" around
// "Video Compression": this is the inner one, whose OK saves).
std::optional<MessageBoxInfo> WaitForCompressionDialog(const FrontEnd& fe, Milliseconds timeout = Milliseconds(20000));
// The compressors the list offers, as the dialog shows them ("Full Frames (Uncompressed)",
// "Wine MS-RLE video codec", "Cinepak Video codec"...), and the one selected (empty when none).
std::vector<std::string> CompressorNames(HWND dialog);
std::string SelectedCompressor(HWND dialog);
// Selects the compressor shown as `name` and tells the dialog as a choice in the list would,
// so that its OK takes that compressor. False when the list offers no such compressor.
bool SelectCompressor(HWND dialog, std::string_view name);

// ---- Registry (HKEY_CURRENT_USER) ------------------------------------------------

// Where the front-end keeps its one setting ("Options", "DreamcastRegion").
inline constexpr const char* kSettingsKey = "Software\\VB and VBA Program Settings\\Velmoran Front-End2";
inline constexpr const char* kOptionsKey = "Software\\VB and VBA Program Settings\\Velmoran Front-End2\\Options";

std::optional<std::string> ReadRegistryString(const std::string& key, const std::string& value);
bool WriteRegistryString(const std::string& key, const std::string& value, const std::string& text);
void DeleteRegistryTree(const std::string& key);

// The saved region, or none when absent.
inline std::optional<std::string> SavedRegion() { return ReadRegistryString(kOptionsKey, "DreamcastRegion"); }

// Ends the process of every window captioned like the front-end or a stand-in: what a
// crashed earlier test may have left on the shared display. Returns how many.
int EndLeftoverPrograms();

// ---- Fixture ---------------------------------------------------------------------

// Base of the tests that run the front-end: no saved settings before and after the
// test, no window of the front-end or a stand-in left by an earlier test, and a fresh
// application folder (`folder`). A fixture that wants other folder
// contents passes them up: `NoFlash() : FrontEndTest({.flash = std::nullopt}) {}`.
class FrontEndTest : public ::testing::Test {
protected:
    explicit FrontEndTest(const FolderContents& contents = {});
    ~FrontEndTest() override;
    AppFolder folder;
};

}  // namespace e2e
