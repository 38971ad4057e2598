// The frame timer's own ceiling: a window timer of 1 ms with an empty handler, counted
// for a few seconds. Prints ticks per second.
//   bench_timer_ticks [seconds=3]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3;
    HWND window = CreateWindowA("STATIC", "timer bench", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetTimer(window, 1, 1, nullptr);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long ticks = 0;
    MSG message;
    while (std::chrono::duration<double>(Clock::now() - start).count() < seconds && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER) ++ticks;  // the empty handler
        else DispatchMessageA(&message);
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("timer ticks: %.1f ticks/s with a 1 ms interval and an empty handler (%ld in %.2f s)\n",
                ticks / elapsed, ticks, elapsed);
    KillTimer(window, 1);
    DestroyWindow(window);
    return 0;
}
