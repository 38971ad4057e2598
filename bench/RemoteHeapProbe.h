#pragma once
// Measures the heaps of another process from inside it: bench_heap_probe.dll is loaded
// into that process (a remote thread calling LoadLibraryA) and each measurement runs
// MeasureHeaps on a remote thread. Nothing of this is part of the measured program.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "HeapProbe.h"

class RemoteHeapProbe {
public:
    // `process` needs PROCESS_ALL_ACCESS (a process we started has it).
    RemoteHeapProbe(HANDLE process, DWORD processId, const std::filesystem::path& probeDll);
    ~RemoteHeapProbe();
    RemoteHeapProbe(const RemoteHeapProbe&) = delete;
    RemoteHeapProbe& operator=(const RemoteHeapProbe&) = delete;

    bool ready() const { return measure_ != nullptr; }
    const std::string& error() const { return error_; }
    std::optional<HeapFigures> Measure();

private:
    bool RunRemote(void* start, void* parameter, DWORD& exitCode);
    void* RemoteAddressOf(const void* localFunction);

    HANDLE process_;
    DWORD processId_;
    void* block_ = nullptr;  // in the measured process: the DLL path, then the figures
    void* measure_ = nullptr;
    std::string error_;
};
