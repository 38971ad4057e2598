#include "capture/PackedDib.h"

#include <cstring>

#include "video/BmpHeaders.h"

namespace vfe {

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr std::size_t kSizeImageOffset = 20;

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);  // little-endian on every target we build
    return value;
}
std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint16_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

std::optional<std::uint64_t> ColourTableBytes(std::uint32_t headerSize, std::uint16_t bitCount,
                                              std::uint32_t compression, std::uint32_t coloursUsed) {
    std::uint64_t masks = 0;
    if (headerSize == kInfoHeaderSize && compression == kBitFields) masks = 12;
    if (headerSize == kInfoHeaderSize && compression == kAlphaBitFields) masks = 16;
    std::uint64_t colours = coloursUsed;
    if (bitCount <= 8 && colours == 0) colours = std::uint64_t{1} << bitCount;
    if (bitCount <= 8 && colours > (std::uint64_t{1} << bitCount)) return std::nullopt;
    return masks + colours * 4;
}

}  // namespace

std::optional<SplitDib> SplitPackedDib(std::span<const std::uint8_t> packed) {
    if (packed.size() < kInfoHeaderSize) return std::nullopt;
    const std::uint32_t headerSize = Read32(packed, 0);
    const auto width = static_cast<std::int32_t>(Read32(packed, 4));
    const auto height = static_cast<std::int32_t>(Read32(packed, 8));
    const std::uint16_t bitCount = Read16(packed, 14);
    const std::uint32_t compression = Read32(packed, 16);
    const std::uint32_t sizeImage = Read32(packed, kSizeImageOffset);
    const std::uint32_t coloursUsed = Read32(packed, 32);

    const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                            bitCount == 32;
    if (headerSize < kInfoHeaderSize || headerSize > packed.size() || !knownDepth || width <= 0 || height == 0)
        return std::nullopt;
    const auto table = ColourTableBytes(headerSize, bitCount, compression, coloursUsed);
    if (!table) return std::nullopt;
    const std::uint64_t infoSize = headerSize + *table;

    std::uint64_t imageSize = 0;
    if (compression == kRgb || compression == kBitFields || compression == kAlphaBitFields) {
        const auto stride = static_cast<std::uint64_t>(DibRowBytes(width, bitCount));
        const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
        if (stride > packed.size()) return std::nullopt;  // also keeps the product below from overflowing
        imageSize = stride * rows;
    } else if (compression == kRle8 || compression == kRle4) {
        imageSize = sizeImage;
    } else {
        return std::nullopt;  // JPEG, PNG or unknown contents
    }
    if (imageSize == 0 || imageSize > UINT32_MAX || infoSize > packed.size() || imageSize > packed.size() - infoSize)
        return std::nullopt;

    SplitDib split;
    split.bitmapInfo.assign(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(infoSize));
    const auto filled = static_cast<std::uint32_t>(imageSize);
    std::memcpy(split.bitmapInfo.data() + kSizeImageOffset, &filled, sizeof filled);
    split.bits = packed.subspan(static_cast<std::size_t>(infoSize), static_cast<std::size_t>(imageSize));
    return split;
}

}  // namespace vfe
