#pragma once
// Drives bench_probe.dll inside another program's window thread (see Probe.h).
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Probe.h"

class RemoteProbe {
public:
    RemoteProbe(HWND window, const std::filesystem::path& probeDll);
    ~RemoteProbe();  // stops timing ticks first: the window must not be left calling into the DLL
    RemoteProbe(const RemoteProbe&) = delete;
    RemoteProbe& operator=(const RemoteProbe&) = delete;

    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    // Walks the heaps on the window's thread, between two of its messages.
    std::optional<HeapFigures> MeasureHeaps();
    // From now on, times the work of each timer tick of the window. The hook is taken off
    // meanwhile: it would run in each message the ticks send, and be timed as their work.
    bool StartTimingTicks();
    // The times of the ticks since the start, in milliseconds; timing stops.
    std::optional<std::vector<double>> StopTimingTicks();

private:
    bool Send(ProbeCommand command);
    bool Hook();
    void Unhook();

    HWND window_;
    HMODULE module_ = nullptr;
    HOOKPROC hookProc_ = nullptr;
    DWORD thread_ = 0;
    HHOOK hook_ = nullptr;
    HANDLE block_ = nullptr;
    ProbeBlock* view_ = nullptr;
    UINT message_ = 0;
    std::string error_;
};
