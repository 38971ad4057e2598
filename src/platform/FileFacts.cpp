#include "platform/FileFacts.h"

#include <sys/stat.h>

namespace vfe {

namespace {

// The system's record of the entry; nothing when there is none.
#ifdef _WIN32
using EntryInfo = struct _stat64;
bool ReadEntry(const std::string& path, EntryInfo& info) { return _stat64(path.c_str(), &info) == 0; }
#else
using EntryInfo = struct stat;
bool ReadEntry(const std::string& path, EntryInfo& info) { return stat(path.c_str(), &info) == 0; }
#endif

}  // namespace

std::optional<std::int64_t> FileLength(const std::string& path) {
    EntryInfo info{};
    if (!ReadEntry(path, info) || (info.st_mode & S_IFMT) != S_IFREG) return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

bool IsRegularFile(const std::string& path) { return FileLength(path).has_value(); }

bool FileExist(const std::string& path) {
    const auto length = FileLength(path);
    return length && *length != 0;
}

bool IsMarkedReadOnly(const std::string& path) {
#ifdef _WIN32
    constexpr unsigned kOwnerWrite = _S_IWRITE;
#else
    constexpr unsigned kOwnerWrite = S_IWUSR;
#endif
    EntryInfo info{};
    return ReadEntry(path, info) && (info.st_mode & kOwnerWrite) == 0;
}

bool EntryExists(const std::string& path) {
    EntryInfo info{};
    return ReadEntry(path, info);
}

}  // namespace vfe
