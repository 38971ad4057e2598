#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "region/RegionTable.h"

namespace vfe {

// The region a remembered "DreamcastRegion" value names. Absent means Japan. The text,
// blanks (spaces, tabs, line ends) around it ignored, must be a decimal whole number
// and nothing else; 0, 1 and 2 name their regions, and every other text (another
// number, a number out of the 16-bit range, a fraction, a number followed by more
// text, a blank or empty value) means Japan.
Region RegionForSavedValue(const std::optional<std::string>& saved);

}  // namespace vfe
