#pragma once
#include <cstdint>
#include <string_view>

namespace vfe {

// The number a text begins with, read the way the interval box has always been read:
// blanks, tabs and line feeds are skipped wherever they stand; a sign, a decimal point,
// an exponent (E or D) and the prefixes &H (hexadecimal) and &O (octal) are understood;
// reading ends at the first character that cannot continue the number; no number is 0.
double LeadingNumber(std::string_view text);

// The frame timer's interval in milliseconds for the text: its leading number rounded
// to the nearest whole number, halves to the even neighbour. The timer takes 0 to
// 65535: a negative number stops it (0), a larger one gives the longest interval.
std::uint32_t TimerIntervalFromText(std::string_view text);

}  // namespace vfe
