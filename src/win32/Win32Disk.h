#pragma once
#include "platform/Disk.h"

namespace vfe::win32 {

// The disk as the system reports it: free space for this user, and a file's buffers
// written through to the disk.
class Win32Disk final : public Disk {
public:
    std::optional<std::uint64_t> FreeBytes(const std::string& folder) override;
    bool Flush(const std::string& path, const std::function<void()>& whileWaiting) override;
};

}  // namespace vfe::win32
