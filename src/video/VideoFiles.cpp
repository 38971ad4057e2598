#include "video/VideoFiles.h"

#include "platform/FileFacts.h"
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

}  // namespace vfe
