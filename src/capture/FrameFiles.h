#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vfe {

// The frame files are the recording's own: "z" + frame number + ".bmp" in the application
// directory, written one per frame and deleted once the frames are saved or discarded.

// A counter written as a plain decimal whole number: no sign, no leading zeros or blank.
std::string WholeNumberText(double number);

// The frame file for frame `number` (a whole number from 0 on).
std::string FrameFilePath(std::string_view appDir, double number);

// Whether a file name is a frame file's: "z", a whole number as FrameFilePath writes it,
// ".bmp", letters in either case as the system's names take them. "Zelda.bmp", "zz.bmp",
// "z1a.bmp" and "z01.bmp" are not.
bool IsFrameFileName(std::string_view fileName);

// The names of the frame files in the folder in frame-number order (z2 before z10, gaps
// left as they are): this recording's and any an earlier run left behind.
std::vector<std::string> ListFrameFiles(std::string_view appDir);

// Deletes every frame file of the folder (once the frames are saved or discarded); every
// other file stays.
void DeleteFrameFiles(std::string_view appDir);

// The main window's caption while frames are taken.
std::string FramesCapturedCaption(double framesSaved);

}  // namespace vfe
