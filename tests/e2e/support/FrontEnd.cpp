#include <thread>

#include "support/E2E.h"

namespace e2e {

FrontEnd::FrontEnd(const AppFolder& folder, Milliseconds timeout)
    : process(StartProcess(folder / kFrontEndExe, SW_SHOWNORMAL)) {
    if (!process.handle()) return;
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

std::optional<WPARAM> NamedKey(std::string_view key) {
    if (key == "{down}") return VK_DOWN;
    if (key == "{up}") return VK_UP;
    if (key == "{right}") return VK_RIGHT;
    if (key == "{left}") return VK_LEFT;
    if (key == "{enter}") return VK_RETURN;
    if (key == "{escape}") return VK_ESCAPE;
    return std::nullopt;
}

bool IsMenuWindow(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string_view(className) == "#32768";
}

void PostKey(HWND window, WPARAM virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
}

}  // namespace

int OpenMenuCount(DWORD processId) {
    int count = 0;
    for (const HWND window : TopWindowsOf(processId)) count += IsMenuWindow(window) ? 1 : 0;
    return count;
}

bool Menu(HWND window, std::initializer_list<std::string_view> keys) {
    const DWORD processId = ProcessIdOf(window);
    const auto openMenus = [&] { return OpenMenuCount(processId); };
    bool first = true;
    for (const std::string_view key : keys) {
        if (key.empty()) continue;
        if (first) {
            first = false;
            // Alt + mnemonic. The menu opens through a key the program posts to itself:
            // our next key must come after it, so wait for the menu to show.
            PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(key[0]));
            if (!WaitUntil([&] { return openMenus() > 0; }, Milliseconds(3000))) return false;
            continue;
        }
        const int before = openMenus();
        const auto virtualKey = NamedKey(key);
        if (virtualKey == WPARAM{VK_DOWN} || virtualKey == WPARAM{VK_UP}) {
            PostKey(window, *virtualKey);  // moves the selection only: nothing to see
            std::this_thread::sleep_for(Milliseconds(50));
            continue;
        }
        if (virtualKey) {
            PostKey(window, *virtualKey);
        } else {
            PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key[0])), 1);
        }
        // A submenu opens or the menu closes; a key that matches nothing changes nothing.
        WaitUntil([&] { return openMenus() != before; }, Milliseconds(1000));
    }
    if (WaitUntil([&] { return openMenus() == 0; }, Milliseconds(1000))) return true;
    // Left open (no item matched): close it, so that the program stays usable.
    for (int level = 0; level < 5 && openMenus() > 0; ++level) {
        PostKey(window, VK_ESCAPE);
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

bool LaunchEmulatorAndRecord(const FrontEnd& fe) {
    if (!Menu(fe, "r", "a") || !WaitForWindow("Velmoran Alpha v0.2a")) return false;  // Run > Velmoran Alpha
    Menu(fe, "u", "a", "{down}", "{enter}");  // Utilities > Avi Recorder > Record High Quality
    const auto confirm = WaitForMessageBox(fe);
    return confirm && Answer(*confirm, IDOK);
}

bool Answer(const MessageBoxInfo& box, int buttonId, Milliseconds timeout) {
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    return WaitForWindowGone(box.window, timeout);
}

}  // namespace e2e
