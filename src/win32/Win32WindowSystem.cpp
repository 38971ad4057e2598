#include "win32/Win32WindowSystem.h"

#include <windows.h>

#include <vector>

#include "win32/Handles.h"

namespace vfe::win32 {

namespace {
HWND AsHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
}  // namespace

WindowHandle Win32WindowSystem::FindWindowByCaption(const std::string& caption) {
    return reinterpret_cast<WindowHandle>(FindWindowA(nullptr, caption.c_str()));
}

void Win32WindowSystem::ShowWindow(WindowHandle window, std::int16_t showCode) {
    if (!window) return;
    const HWND hwnd = AsHwnd(window);
    const bool wasMinimized = IsIconic(hwnd);
    ::ShowWindow(hwnd, showCode);
    // A window minimized from maximized comes back maximized on "show normal"; the
    // second call makes normal mean normal. (Its placement flags cannot be cleared
    // from another process under Wine.)
    if (showCode == SW_SHOWNORMAL && wasMinimized && IsZoomed(hwnd)) ::ShowWindow(hwnd, SW_SHOWNORMAL);
}

void Win32WindowSystem::PostClose(WindowHandle window) {
    if (window) PostMessageA(AsHwnd(window), WM_CLOSE, 0, 0);
}

StartResult Win32WindowSystem::StartProgram(const std::string& path, const std::string& workingDirectory,
                                            std::int16_t showCode) {
    // The file is named apart from the command line, so no part of the path is
    // ever read as a program name or argument; the quoted copy is only argv[0].
    std::string commandLine = "\"" + path + "\"";
    std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCode);
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(path.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &process);
    if (!started) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? StartResult::NotFound
                                                                              : StartResult::Failed;
    }
    // The program is let go: its handles are not kept.
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
    return StartResult::Started;
}

}  // namespace vfe::win32
