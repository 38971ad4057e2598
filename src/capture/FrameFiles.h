#pragma once
#include <string>
#include <string_view>

namespace vfe {

// The frame files are the recording's own: "z" + frame number + ".bmp" in the application
// directory, written one per frame and deleted once the frames are saved or discarded.

// A counter written as a plain decimal whole number: no sign, no leading zeros or blank.
std::string WholeNumberText(double number);

// The frame file for frame `number` (a whole number from 0 on).
std::string FrameFilePath(std::string_view appDir, double number);

// Deletes the frame files z0.bmp to z(count-1).bmp; files already gone, and every other
// file of the folder, are left alone.
void DeleteFrameFiles(std::string_view appDir, double count);

// The main window's caption while frames are taken.
std::string FramesCapturedCaption(double framesSaved);

}  // namespace vfe
