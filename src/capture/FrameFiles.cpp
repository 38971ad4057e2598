#include "capture/FrameFiles.h"

#include <cmath>
#include <cstdint>

#include "platform/Paths.h"

namespace vfe {

std::string WholeNumberText(double number) {
    if (!(number > 0)) return "0";
    return std::to_string(static_cast<std::uint64_t>(std::floor(number)));
}

std::string FrameFilePath(const std::string& appDir, double number) {
    return InAppDir(appDir, "z" + WholeNumberText(number) + ".bmp");
}

std::string FramesCapturedCaption(double framesSaved) {
    return WholeNumberText(framesSaved) + " frames captured...";
}

}  // namespace vfe
