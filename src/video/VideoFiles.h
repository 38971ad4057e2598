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

}  // namespace vfe
