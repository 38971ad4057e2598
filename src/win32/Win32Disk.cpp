#include "win32/Win32Disk.h"

#include <windows.h>

#include <atomic>
#include <thread>

#include "platform/ScopeExit.h"
#include "win32/Handles.h"

namespace vfe::win32 {

namespace {
constexpr DWORD kWaitStepMs = 20;
}  // namespace

std::optional<std::uint64_t> Win32Disk::FreeBytes(const std::string& folder) {
    ULARGE_INTEGER available{};
    // A folder name needs its trailing separator here.
    if (!GetDiskFreeSpaceExA((folder + "\\").c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

bool Win32Disk::Flush(const std::string& path, const std::function<void()>& whileWaiting) {
    // Flushing needs a handle that may write; other readers and writers are not kept out.
    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    // Gigabytes may take seconds to reach the disk: the flush runs beside the window's thread,
    // which goes on answering meanwhile, and is over before this returns, whichever way.
    std::atomic<bool> done{false};
    BOOL flushed = FALSE;
    std::thread flusher;
    try {
        flusher = std::thread([&] {
            flushed = FlushFileBuffers(file.get());
            done = true;
        });
    } catch (...) {
        return FlushFileBuffers(file.get()) != FALSE;  // no thread to be had: the window waits
    }
    const ScopeExit joined([&] { flusher.join(); });
    while (!done) {
        whileWaiting();
        Sleep(kWaitStepMs);
    }
    return flushed != FALSE;
}

}  // namespace vfe::win32
