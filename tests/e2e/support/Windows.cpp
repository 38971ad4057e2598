#include <cctype>

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

std::vector<HWND> TopWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (IsWindowVisible(window) && ProcessIdOf(window) == s->processId) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
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
