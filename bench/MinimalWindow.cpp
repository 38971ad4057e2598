// The peer of the start-up benchmark: the least a Win32 program does to show a window
// (register a class, create and show one top-level window, run the message loop).
#include "PeerWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCode) {
    RegisterPeerClass(instance, "MinimalWindowBench", QuitWithWindow, COLOR_WINDOW);
    HWND window = CreateWindowA("MinimalWindowBench", "Minimal Window Bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 500, 300, nullptr, nullptr, instance, nullptr);
    return ShowAndRun(window, showCode);
}
