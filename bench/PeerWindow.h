#pragma once
// What the start-up peers share: a window class that ends the program with its window,
// and showing the window and running the message loop.
#include <windows.h>

inline LRESULT CALLBACK QuitWithWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

inline void RegisterPeerClass(HINSTANCE instance, const char* name, WNDPROC procedure, int systemColour) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(systemColour + 1));
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

inline int ShowAndRun(HWND window, int showCode) {
    ShowWindow(window, showCode);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
