// Start-up time: from CreateProcess to the program's main window being visible, for the
// front-end and for a minimal window program started the same way, alternately, so both
// see the same machine. Each window is closed with WM_CLOSE (killed if it lingers).
//   bench_startup <front-end.exe> <minimal.exe> [runs=15] [minimal-with-imports.exe]
// The third program, when given, is timed too: the minimal program importing what the
// front-end imports, to tell DLL loading from the front-end's own work.
// The front-end is started in its own folder (which must hold dc_flash.bin).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: bench_startup <front-end.exe> <minimal.exe> [runs]\n");
        return 2;
    }
    const Program frontEnd{argv[1], "Velmoran Front-End (by Quorvex)"};
    const Program minimal{argv[2], "Minimal Window Bench"};
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    const Program withImports{argc > 4 ? argv[4] : "", "Minimal Window Bench"};
    // One unmeasured start of each warms the file cache and the Wine server.
    TimeToVisibleWindow(frontEnd);
    TimeToVisibleWindow(minimal);
    std::vector<double> frontEndTimes, minimalTimes, withImportsTimes;
    for (int i = 0; i < runs; ++i) {
        const double a = TimeToVisibleWindow(frontEnd);
        const double b = TimeToVisibleWindow(minimal);
        if (a < 0 || b < 0) {
            std::printf("start-up: a window did not appear (front-end %.0f ms, minimal %.0f ms)\n", a, b);
            return 1;
        }
        frontEndTimes.push_back(a);
        minimalTimes.push_back(b);
        if (!withImports.exe.empty()) withImportsTimes.push_back(TimeToVisibleWindow(withImports));
    }
    const double ours = Median(frontEndTimes), peer = Median(minimalTimes);
    std::printf("start-up: %.1f ms (%.2f x against a minimal window program at %.1f ms; median of %d)\n", ours,
                ours / peer, peer, runs);
    if (!withImports.exe.empty())
        std::printf("start-up breakdown: the minimal program with the front-end's imports and manifest: %.1f ms\n",
                    Median(withImportsTimes));
    return 0;
}
