#include "video/VideoFiles.h"

#include <cstdio>

#include "platform/FileFacts.h"
#include "platform/OpenFile.h"
#include "platform/Paths.h"

namespace vfe {

namespace {

constexpr int kLastSuffix = 9999;

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

}  // namespace

std::string VideoFileName(int secondsOfDay, int suffix) {
    const int seconds = secondsOfDay < 0 ? 0 : secondsOfDay > 86399 ? 86399 : secondsOfDay;
    std::string name = "Velmoran_Cap_" + TwoDigits(seconds / 3600) + TwoDigits(seconds / 60 % 60) + TwoDigits(seconds % 60);
    if (suffix > 1) name += "_" + std::to_string(suffix);
    return name + ".avi";
}

std::optional<std::string> FreeVideoPath(std::string_view appDir, int secondsOfDay) {
    for (int suffix = 1; suffix <= kLastSuffix; ++suffix) {
        std::string path = InAppDir(appDir, VideoFileName(secondsOfDay, suffix));
        if (!EntryExists(path)) return path;
    }
    return std::nullopt;
}

bool IsWholeRiffFile(const std::string& path) {
    constexpr std::int64_t kHeaderBytes = 8;  // "RIFF" and the size of what follows
    const auto length = FileLength(path);
    const OpenFile file = length ? OpenStream(path, "rb") : OpenFile();
    if (!file) return false;
    unsigned char header[kHeaderBytes] = {};
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header || header[0] != 'R' || header[1] != 'I' || header[2] != 'F' || header[3] != 'F') return false;
    const std::uint32_t declared = static_cast<std::uint32_t>(header[4]) | static_cast<std::uint32_t>(header[5]) << 8 |
                                   static_cast<std::uint32_t>(header[6]) << 16 |
                                   static_cast<std::uint32_t>(header[7]) << 24;
    return *length >= kHeaderBytes + static_cast<std::int64_t>(declared);
}

}  // namespace vfe
