#pragma once
// Reads the heaps of another program's window thread from inside it (see HeapProbe.h).
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "HeapProbe.h"

class RemoteHeapProbe {
public:
    RemoteHeapProbe(HWND window, const std::filesystem::path& probeDll);
    ~RemoteHeapProbe();
    RemoteHeapProbe(const RemoteHeapProbe&) = delete;
    RemoteHeapProbe& operator=(const RemoteHeapProbe&) = delete;

    bool ready() const { return hook_ != nullptr && view_ != nullptr; }
    const std::string& error() const { return error_; }
    // Runs the walk on the window's thread, between two of its messages.
    std::optional<HeapFigures> Measure();

private:
    HWND window_;
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
    HANDLE block_ = nullptr;
    HeapFigures* view_ = nullptr;
    UINT message_ = 0;
    std::string error_;
};
