#pragma once
#include <cstdint>

namespace vfe {

// To the nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4), as
// numbers have always been rounded for the timer and the video frame. NaN and the
// infinities come back as they are.
double RoundHalfToEven(double value);

// The same kept within 32 bits: beyond them the nearest end, NaN gives 0.
std::int32_t RoundHalfToEvenInt32(double value);

}  // namespace vfe
