#pragma once
#include <cstddef>
#include <string_view>

#include "platform/RichTextBox.h"

namespace vfe {

// How many leading bytes of a file decide its format.
inline constexpr std::size_t kFormatProbeLength = 5;

// RTF when the file begins with "{\rtf", plain text otherwise.
TextFormat ProbeTextFormat(std::string_view firstBytes);

}  // namespace vfe
