// What a recording tick asks of the window system beside the screen copy and the file:
// the window's caption with the frame count, and the frame's entry in the list, on a
// minimized window as the recording has it. Tells apart the tick's own cost from the
// window system's, which the bare copy and write does not pay.
//   bench_window_calls <calls>
// Prints:   of which the window system: the caption <ms> ms, the list entry <ms> ms per frame (...)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Figures.h"

namespace {

constexpr int kRounds = 5;

// The median over rounds of the mean time of one call, in milliseconds.
template <typename Call>
double MedianMilliseconds(int calls, Call call) {
    Figures rounds;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) call(round * calls + i);
        const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        rounds.Add(spent.count() / calls);
    }
    return rounds.Median();
}

void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    HWND window = CreateWindowA("STATIC", "Velmoran Front-End 2", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                nullptr, nullptr, nullptr);
    HWND list = window ? CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 0, 0, 200, 300,
                                       window, nullptr, nullptr, nullptr)
                       : nullptr;
    if (!list) {
        std::printf("  of which the window system: not measured: no window (error %lu)\n", GetLastError());
        return 1;
    }
    ShowWindow(window, SW_SHOWMINIMIZED);
    DrainMessages();
    bool failed = false;
    const double caption = MedianMilliseconds(calls, [&](int i) {
        failed |= !SetWindowTextA(window, (std::to_string(i) + " frames captured").c_str());
    });
    const double entry = MedianMilliseconds(calls, [&](int i) {
        const std::string path = "C:\\Velmoran\\z" + std::to_string(i) + ".bmp";
        failed |= SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str())) < 0;
    });
    if (failed) {
        std::printf("  of which the window system: not measured: a call failed\n");
        return 1;
    }
    std::printf("  of which the window system: the caption %.2f ms, the list entry %.2f ms per frame (SetWindowTextA "
                "and LB_ADDSTRING on a minimized window, medians of %d rounds of %d calls)\n",
                caption, entry, kRounds, calls);
    DestroyWindow(window);
    return 0;
}
