#include "video/VideoFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/Paths.h"

namespace vfe {

namespace {

constexpr int kLastSuffix = 9999;

bool EntryExists(const std::string& path) {
#ifdef _WIN32
    struct _stat64 info {};
    return _stat64(path.c_str(), &info) == 0;
#else
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
#endif
}

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

std::string FrameFilePath(std::string_view appDir, std::int64_t number) {
    return InAppDir(appDir, "z" + std::to_string(number) + ".bmp");
}

void DeleteRecordedFrames(std::string_view appDir, double count) {
    if (!(count > 0)) return;
    const double last = std::min(std::ceil(count), static_cast<double>(std::numeric_limits<std::int32_t>::max()));
    for (std::int64_t number = 0; number < static_cast<std::int64_t>(last); ++number)
        std::remove(FrameFilePath(appDir, number).c_str());
}

std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    if (value <= kLowest) return std::numeric_limits<std::int32_t>::min();
    if (value >= kHighest) return std::numeric_limits<std::int32_t>::max();
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = fraction > 0.5 ? floor + 1 : floor;
    if (fraction == 0.5) rounded = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace vfe
