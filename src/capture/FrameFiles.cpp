#include "capture/FrameFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "platform/Paths.h"

namespace vfe {

std::string WholeNumberText(double number) {
    if (!(number > 0)) return "0";
    return std::to_string(static_cast<std::uint64_t>(std::floor(number)));
}

std::string FrameFilePath(std::string_view appDir, double number) {
    return InAppDir(appDir, "z" + WholeNumberText(number) + ".bmp");
}

void DeleteFrameFiles(std::string_view appDir, double count) {
    if (!(count > 0)) return;
    const double last = std::min(std::ceil(count), static_cast<double>(std::numeric_limits<std::int32_t>::max()));
    for (std::int64_t number = 0; number < static_cast<std::int64_t>(last); ++number)
        std::remove(FrameFilePath(appDir, static_cast<double>(number)).c_str());
}

std::string FramesCapturedCaption(double framesSaved) {
    return WholeNumberText(framesSaved) + " frames captured...";
}

}  // namespace vfe
