#pragma once
#include <string>

namespace vfe {

// A counter written as a plain decimal whole number: no sign, no leading zeros or blank.
std::string WholeNumberText(double number);

// "z" + number + ".bmp" in the application directory: the frame file for that number.
std::string FrameFilePath(const std::string& appDir, double number);

// The main window's caption while frames are taken.
std::string FramesCapturedCaption(double framesSaved);

}  // namespace vfe
