// Start-up time: from CreateProcess to the program's main window being visible, for the
// front-end, a minimal window program and the front-end's window and controls without
// its logic (bench_floor_window), started the same way and in turn, so all see the same
// machine. Each window is closed with WM_CLOSE (killed if it lingers).
//   bench_startup <front-end.exe> <minimal.exe> <floor.exe> [runs=15] [other front-end.exe...]
// The front-end is started in its own folder (which must hold dc_flash.bin).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Figures.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    std::string exe;
    std::string caption;
};

std::string FolderOf(const std::string& exe) {
    const auto slash = exe.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

// Milliseconds until the window is visible; negative when it never came.
double TimeToVisibleWindow(const Program& program) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program.exe + "\"";
    const std::string folder = FolderOf(program.exe);
    const auto start = Clock::now();
    if (!CreateProcessA(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    double elapsed = -1;
    HWND window = nullptr;
    while (Clock::now() - start < std::chrono::seconds(20)) {
        window = FindWindowA(nullptr, program.caption.c_str());
        if (window && IsWindowVisible(window)) {
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        Sleep(0);
    }
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: bench_startup <front-end.exe> <minimal.exe> <floor.exe> [runs] [other front-end.exe...]\n");
        return 2;
    }
    std::vector<Program> programs{{argv[1], "Velmoran Front-End (by Quorvex)"},
                                  {argv[2], "Minimal Window Bench"},
                                  {argv[3], "Floor Window Bench"}};
    const int runs = argc > 4 ? std::atoi(argv[4]) : 15;
    // Other builds of the front-end, to tell what a change gained, timed in the same turns.
    for (int i = 5; i < argc; ++i) programs.push_back({argv[i], programs[0].caption});
    // One unmeasured start of each warms the file cache and the Wine server.
    for (const auto& program : programs) TimeToVisibleWindow(program);
    std::vector<Figures> times(programs.size());
    for (int run = 0; run < runs; ++run) {
        // Each run starts with another program, so none always comes first.
        for (std::size_t k = 0; k < programs.size(); ++k) {
            const std::size_t which = (k + static_cast<std::size_t>(run)) % programs.size();
            const double ms = TimeToVisibleWindow(programs[which]);
            if (ms < 0) {
                std::printf("start-up: the window of %s did not appear\n", programs[which].exe.c_str());
                return 1;
            }
            times[which].Add(ms);
        }
    }
    const double ours = times[0].Median(), minimal = times[1].Median(), floor = times[2].Median();
    std::printf("start-up: %.1f ms (%.2f x against a minimal window program at %.1f ms; %.2f x against the same window "
                "and controls without logic at %.1f ms)\n",
                ours, ours / minimal, minimal, ours / floor, floor);
    std::printf("  medians of %d interleaved runs, min-max: front-end %s, minimal %s, same window %s ms\n", runs,
                times[0].Range().c_str(), times[1].Range().c_str(), times[2].Range().c_str());
    for (std::size_t k = 3; k < programs.size(); ++k)
        std::printf("  %s: %s ms (%.2f x against the minimal window program)\n", programs[k].exe.c_str(),
                    times[k].Range().c_str(), times[k].Median() / minimal);
    return 0;
}
