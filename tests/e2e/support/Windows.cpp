#include <cctype>
#include <cstdlib>

#include "support/E2E.h"

namespace e2e {

HWND FindTopWindow(std::string_view caption) { return FindWindowA(nullptr, std::string(caption).c_str()); }

HWND WaitForWindow(std::string_view caption, Milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(caption)) != nullptr; }, timeout);
    return found;
}

bool WaitForWindowGone(std::string_view caption, Milliseconds timeout) {
    return WaitUntil([&] { return FindTopWindow(caption) == nullptr; }, timeout);
}

bool WaitForWindowGone(HWND window, Milliseconds timeout) {
    return WaitUntil([&] { return !IsWindow(window); }, timeout);
}

namespace {

// Window enumeration callbacks: functions of the system's calling convention (a lambda's
// is not that on i686).
struct WindowsOfProcess {
    DWORD processId;
    std::vector<HWND> found;
};
BOOL CALLBACK AddIfVisibleAndOfProcess(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowsOfProcess*>(context);
    if (IsWindowVisible(window) && ProcessIdOf(window) == search->processId) search->found.push_back(window);
    return TRUE;
}

struct ChildOfClassSearch {
    const char* className;
    std::optional<std::string_view> caption;
    HWND found;
};
BOOL CALLBACK StopAtClass(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<ChildOfClassSearch*>(context);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, search->className) != 0 || (search->caption && WindowText(child) != *search->caption))
        return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

std::vector<HWND> TopWindowsOf(DWORD processId) {
    WindowsOfProcess search{processId, {}};
    EnumWindows(&AddIfVisibleAndOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

HWND ChildOfClass(HWND parent, const char* className, std::optional<std::string_view> caption) {
    ChildOfClassSearch search{className, caption, nullptr};
    EnumChildWindows(parent, &StopAtClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

bool HandledPostedMessages(HWND mainWindow, Milliseconds timeout) {
    // Posted messages are handled in order: the interval box's "modified" flag, which
    // the program never reads, is flipped by a message posted behind the others. A
    // program busy for long (loading a large readme) answers late, not never.
    const HWND box = ChildOfClass(mainWindow, "Edit");
    const auto modified = [&]() -> std::optional<bool> {
        DWORD_PTR flag = 0;
        if (!SendMessageTimeoutA(box, EM_GETMODIFY, 0, 0, SMTO_NORMAL, 1000, &flag)) return std::nullopt;
        return flag != 0;
    };
    std::optional<bool> before;
    if (!box || !WaitUntil([&] { return (before = modified()).has_value(); }, timeout)) return false;
    if (!PostMessageA(box, EM_SETMODIFY, *before ? FALSE : TRUE, 0)) return false;
    return WaitUntil([&] { return modified() == !*before; }, timeout);
}

int FramesInCaption(HWND window) {
    const std::string caption = WindowText(window);
    const std::string_view suffix(kFramesSuffix);
    const std::size_t at = caption.find(suffix);
    if (at == std::string::npos || at == 0 || at + suffix.size() != caption.size()) return -1;
    return std::atoi(caption.substr(0, at).c_str());
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

SIZE OuterSize(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

DWORD ProcessIdOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

}  // namespace e2e
