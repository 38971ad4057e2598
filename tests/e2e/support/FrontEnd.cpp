#include <thread>

#include "support/E2E.h"

namespace e2e {

FrontEnd::FrontEnd(const AppFolder& folder, Milliseconds timeout)
    : process(StartProcess(folder / kFrontEndExe, SW_SHOWNORMAL)) {
    if (!process.handle()) return;
    // Our own front-end's window, not one a previous test may have left behind.
    WaitUntil(
        [&] {
            const HWND found = FindTopWindow(kMainCaption);
            if (found && ProcessIdOf(found) == process.id()) window_ = found;
            return window_ != nullptr || !process.IsRunning();
        },
        timeout);
    if (!window_) ADD_FAILURE() << "the front-end's main window did not appear";
}

namespace {

// A pause for the menu loop of the other process to take each key in turn.
constexpr Milliseconds kKeyPause{150};

std::optional<WPARAM> NamedKey(std::string_view key) {
    if (key == "{down}") return VK_DOWN;
    if (key == "{up}") return VK_UP;
    if (key == "{right}") return VK_RIGHT;
    if (key == "{left}") return VK_LEFT;
    if (key == "{enter}") return VK_RETURN;
    if (key == "{escape}") return VK_ESCAPE;
    return std::nullopt;
}

}  // namespace

void Menu(HWND window, std::initializer_list<std::string_view> keys) {
    bool first = true;
    for (const std::string_view key : keys) {
        if (first) {
            // Alt + mnemonic: opens the menu of the bar whose mnemonic this is.
            PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(key.empty() ? 0 : key[0]));
            first = false;
        } else if (const auto virtualKey = NamedKey(key)) {
            PostMessageA(window, WM_KEYDOWN, *virtualKey, 1);
            PostMessageA(window, WM_KEYUP, *virtualKey, static_cast<LPARAM>(0xC0000001));
        } else if (!key.empty()) {
            PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key[0])), 1);
        }
        std::this_thread::sleep_for(kKeyPause);
    }
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Milliseconds timeout) {
    std::optional<MessageBoxInfo> box;
    WaitUntil(
        [&] {
            for (const HWND window : TopWindowsOf(processId)) {
                char className[64] = {};
                GetClassNameA(window, className, sizeof className);
                if (std::string_view(className) != "#32770") continue;
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

bool Answer(const MessageBoxInfo& box, int buttonId, Milliseconds timeout) {
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    return WaitForWindowGone(box.window, timeout);
}

}  // namespace e2e
