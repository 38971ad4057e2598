#include "video/VideoFiles.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/FileFacts.h"
#include "platform/OpenFile.h"
#include "platform/Paths.h"
#include "video/BmpHeaders.h"

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
    std::array<std::uint8_t, kHeaderBytes> header{};
    if (std::fread(header.data(), 1, header.size(), file.get()) != header.size() ||
        std::memcmp(header.data(), "RIFF", 4) != 0)
        return false;
    const auto declared = static_cast<std::uint32_t>(LoadLittleEndian32(std::span(header).subspan<4, 4>()));
    return *length >= kHeaderBytes + static_cast<std::int64_t>(declared);
}

}  // namespace vfe
