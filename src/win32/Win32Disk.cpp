#include "win32/Win32Disk.h"

#include <windows.h>

#include "win32/Handles.h"

namespace vfe::win32 {

std::optional<std::uint64_t> Win32Disk::FreeBytes(const std::string& folder) {
    ULARGE_INTEGER available{};
    // A folder name needs its trailing separator here.
    if (!GetDiskFreeSpaceExA((folder + "\\").c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

bool Win32Disk::Flush(const std::string& path) {
    // Flushing needs a handle that may write; other readers and writers are not kept out.
    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get()) != FALSE;
}

}  // namespace vfe::win32
