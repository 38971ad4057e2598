#include "support/E2E.h"

namespace e2e {

FrontEnd::FrontEnd(const std::filesystem::path& folder, Milliseconds timeout)
    : process(StartProcess(folder / kFrontEndExe, SW_SHOWNORMAL)) {
    if (process.handle()) WaitUntilLoaded(timeout);
}

FrontEnd::FrontEnd(const AppFolder& folder, const std::string& shellSetup, Milliseconds timeout) {
    // Wine starts Unix programs too; the shell then runs the program under Wine's loader for
    // its bitness (the tests' own), which lies beside the server (Wine does not hand WINELOADER on).
    constexpr const char* kLoader = sizeof(void*) == 8 ? "wine64" : "wine";
    std::string script =
        shellSetup + "; exec \"${WINESERVER%/*}/" + kLoader + "\" '" + (folder / kFrontEndExe).string() + "'";
    std::string escaped;
    for (const char c : script) escaped += c == '"' ? std::string("\\\"") : std::string(1, c);
    std::string commandLine = "Z:\\bin\\sh -c \"" + escaped + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION shell{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.path().string().c_str(), &startup, &shell)) {
        ADD_FAILURE() << "cannot start the shell (error " << GetLastError() << ")";
        return;
    }
    const vfe::win32::KernelHandle shellProcess(shell.hProcess), shellThread(shell.hThread);
    // The shell's handle is not the program's: the program is found by its window.
    WaitUntil([&] { return (window_ = FindTopWindow(kMainCaption)) != nullptr; }, timeout);
    if (window_) {
        const DWORD id = ProcessIdOf(window_);
        process = Process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, id), id);
    }
    if (process.handle()) WaitUntilLoaded(timeout);
    else ADD_FAILURE() << "the front-end started from the shell did not show its window";
}

void FrontEnd::WaitUntilLoaded(Milliseconds timeout) {
    // Our own front-end's window, not one a previous test may have left behind. It exists
    // (hidden) before it is loaded; it is ready once it shows and answers, which it does
    // only when its controls, some made after it shows, are all there; or once the load
    // stops at a message box.
    const auto loaded = [&] {
        if (IsWindowVisible(window_)) return Answers(window_);
        for (const HWND window : TopWindowsOf(process.id())) {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::string_view(className) == "#32770") return true;
        }
        return false;
    };
    window_ = nullptr;
    WaitUntil(
        [&] {
            const HWND found = FindTopWindow(kMainCaption);
            if (found && ProcessIdOf(found) == process.id()) window_ = found;
            return (window_ != nullptr && loaded()) || !process.IsRunning();
        },
        timeout);
    if (!window_) ADD_FAILURE() << "the front-end's main window did not appear";
}

namespace {

// The xdotool name of a key of Menu's: a named key, or the mnemonic character itself.
std::string KeyName(std::string_view key) {
    if (key == "{down}") return "Down";
    if (key == "{up}") return "Up";
    if (key == "{right}") return "Right";
    if (key == "{left}") return "Left";
    if (key == "{enter}") return "Return";
    if (key == "{escape}") return "Escape";
    return std::string(key.substr(0, 1));
}

bool IsMenuWindow(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string_view(className) == "#32768";
}

}  // namespace

std::vector<HWND> OpenMenus(DWORD processId) {
    std::vector<HWND> menus;
    for (const HWND window : TopWindowsOf(processId))
        if (IsMenuWindow(window)) menus.push_back(window);
    return menus;
}

int OpenMenuCount(DWORD processId) { return static_cast<int>(OpenMenus(processId).size()); }

bool Menu(HWND window, std::initializer_list<std::string_view> keys) {
    const DWORD processId = ProcessIdOf(window);
    const auto openMenus = [&] { return OpenMenuCount(processId); };
    bool first = true;
    for (const std::string_view key : keys) {
        if (key.empty()) continue;
        if (first) {
            first = false;
            // Alt + mnemonic, pressed on the keyboard of the window's display. A window that
            // comes up meanwhile (an emulator just launched) may take the focus before the keys
            // arrive: then once more. A window that kept the focus and opened no menu failed.
            const HWND top = GetAncestor(window, GA_ROOT);
            bool opened = false;
            for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
                if (!PressKeysIn(window, "alt+" + KeyName(key))) return false;
                opened = WaitUntil([&] { return openMenus() > 0; }, Milliseconds(3000));
                if (!opened && GetForegroundWindow() == top) return false;
            }
            if (!opened) return false;
            continue;
        }
        const int before = openMenus();
        const std::string name = KeyName(key);
        if (!PressKeys(name)) return false;
        // Up and Down only move the selection: nothing to see, and the next key queues behind them.
        if (name == "Up" || name == "Down") continue;
        // A submenu opens or the menu closes; a key that matches nothing changes nothing.
        WaitUntil([&] { return openMenus() != before; }, Milliseconds(1000));
    }
    if (WaitUntil([&] { return openMenus() == 0; }, Milliseconds(1000))) return true;
    // Left open (no item matched): close it, so that the program stays usable.
    for (int level = 0; level < 5 && openMenus() > 0; ++level) {
        PressKeys("Escape");
        WaitUntil([&] { return openMenus() == 0; }, Milliseconds(300));
    }
    return false;
}

std::optional<MessageBoxInfo> WaitForDialog(DWORD processId, const std::function<bool(HWND)>& matches,
                                            Milliseconds timeout) {
    std::optional<MessageBoxInfo> box;
    WaitUntil(
        [&] {
            for (const HWND window : TopWindowsOf(processId)) {
                char className[64] = {};
                GetClassNameA(window, className, sizeof className);
                if (std::string_view(className) != "#32770" || !matches(window)) continue;
                MessageBoxInfo info;
                info.window = window;
                info.title = WindowText(window);
                if (const HWND text = GetDlgItem(window, 0xFFFF)) info.text = WindowText(text);
                info.ok = GetDlgItem(window, IDOK) != nullptr;
                info.cancel = GetDlgItem(window, IDCANCEL) != nullptr;
                info.yes = GetDlgItem(window, IDYES) != nullptr;
                info.no = GetDlgItem(window, IDNO) != nullptr;
                box = info;
                return true;
            }
            return false;
        },
        timeout);
    return box;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Milliseconds timeout) {
    return WaitForDialog(processId, [](HWND) { return true; }, timeout);
}

bool ShowsNoDialog(const FrontEnd& fe, Milliseconds timeout) {
    if (!HandledPostedMessages(fe.window(), timeout)) {
        ADD_FAILURE() << "the front-end did not catch up with its posted messages";
        return false;
    }
    const auto box = WaitForMessageBox(fe, Milliseconds(0));
    if (box) ADD_FAILURE() << "a dialog shows: " << box->title << " | " << box->text;
    return !box;
}

bool LaunchEmulatorAndRecord(const FrontEnd& fe) {
    if (!Menu(fe, "r", "a") || !WaitForWindow("Velmoran Alpha v0.2a")) return false;  // Run > Velmoran Alpha
    if (!Menu(fe, "u", "a", "{down}", "{enter}")) return false;  // Utilities > Avi Recorder > Record High Quality
    const auto confirm = WaitForMessageBox(fe);
    return confirm && Answer(*confirm, IDOK);
}

bool Answer(const MessageBoxInfo& box, int buttonId, Milliseconds timeout) {
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    return WaitForWindowGone(box.window, timeout);
}

}  // namespace e2e
