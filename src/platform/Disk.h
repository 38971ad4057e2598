#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vfe {

// The disk that holds the application directory, as the recording and the video writer meet it.
class Disk {
public:
    virtual ~Disk() = default;
    // The bytes we may still write on the disk that holds `folder`; nothing when the system
    // cannot say.
    virtual std::optional<std::uint64_t> FreeBytes(const std::string& folder) = 0;
    // Has the system write all it holds of the file onto the disk itself, so that a power cut
    // after this keeps it; false when that failed. That may take seconds for a large file:
    // `whileWaiting` runs again and again meanwhile.
    virtual bool Flush(const std::string& path, const std::function<void()>& whileWaiting) = 0;
};

}  // namespace vfe
