#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vfe {

// "Velmoran_Cap_" + hhmmss + ".avi" for a time of day; a suffix above 1 goes before ".avi"
// as "_N" (Velmoran_Cap_140509_2.avi).
std::string VideoFileName(int secondsOfDay, int suffix = 1);

// The path of the video for a save started at `secondsOfDay`: the plain name, or the first
// suffixed name that nothing in the folder uses yet, so an older video is never overwritten.
// Nothing when every name up to the last suffix tried is taken.
std::optional<std::string> FreeVideoPath(std::string_view appDir, int secondsOfDay);

// The frame file a recording writes for frame `number`: "z" + number + ".bmp" in the folder.
std::string FrameFilePath(std::string_view appDir, std::int64_t number);

// Deletes the frame files one recording wrote, z0.bmp to z(count-1).bmp; files that are
// already gone, and any other file of the folder, are left alone.
void DeleteRecordedFrames(std::string_view appDir, double count);

// To the nearest whole number, halves to the even neighbour, kept within 32 bits (NaN gives 0).
std::int32_t RoundHalfEven(double value);

}  // namespace vfe
