#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vfe {

// A packed device-independent bitmap (as the clipboard holds one) split into the two
// pieces of a BMP file: the information block, with its image size filled in, and
// exactly the pixel bytes the header describes.
struct SplitDib {
    std::vector<std::uint8_t> bitmapInfo;
    std::span<const std::uint8_t> bits;
};

// Nothing when the header is not one we can trust against the data's length.
std::optional<SplitDib> SplitPackedDib(std::span<const std::uint8_t> packed);

}  // namespace vfe
