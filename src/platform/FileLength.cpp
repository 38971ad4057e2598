#include "platform/FileLength.h"

#include <sys/stat.h>

namespace vfe {

std::optional<std::int64_t> FileLength(const std::string& path) {
#ifdef _WIN32
    struct _stat64 info {};
    if (_stat64(path.c_str(), &info) != 0) return std::nullopt;
#else
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
#endif
    if ((info.st_mode & S_IFMT) != S_IFREG) return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

}  // namespace vfe
