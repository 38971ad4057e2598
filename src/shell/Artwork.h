#pragma once
#include <cstdint>
#include <vector>

#include "platform/Types.h"
#include "video/BmpHeaders.h"

namespace vfe {

// The window pictures are drawn when needed instead of being stored: two 24-bit
// 500 x 217 pictures would make up most of the executable.
enum class Artwork { MainBackground, AboutBanner };

// 24-bit pixels, rows top-down, each row padded to 4 bytes, blue-green-red.
struct Picture24 {
    Size size;
    std::vector<std::uint8_t> pixels;
    int Stride() const { return static_cast<int>(DibRowBytes(size.width, 24)); }
};

Picture24 DrawArtwork(Artwork which);

}  // namespace vfe
