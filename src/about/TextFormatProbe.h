#pragma once
#include <cstddef>
#include <string_view>

#include "platform/RichTextBox.h"

namespace vfe {

// How many leading bytes of a file decide its format.
inline constexpr std::size_t kFormatProbeLength = 5;

struct ProbedFormat {
    TextFormat format;
    std::size_t markLength;  // leading bytes that only mark the format (a byte order mark)
};

// RTF when the file begins with "{\rtf"; plain text otherwise, in the encoding its
// byte order mark names, or the system's code page without one.
ProbedFormat ProbeTextFormat(std::string_view firstBytes);

}  // namespace vfe
