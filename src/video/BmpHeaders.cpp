#include "video/BmpHeaders.h"

#include <cstdlib>
#include <limits>

namespace vfe {

namespace {

std::int16_t Load16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8)));
}

std::int32_t Load32(std::span<const std::uint8_t> bytes, std::size_t at) {
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
                                (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
                                (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
    return static_cast<std::int32_t>(value);
}

void Store16(std::span<std::uint8_t> bytes, std::size_t at, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    bytes[at] = static_cast<std::uint8_t>(bits & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(bits >> 8);
}

void Store32(std::span<std::uint8_t> bytes, std::size_t at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF);
}

bool StoresPlainRows(std::int32_t compression) { return compression == kBiRgb || compression == kBiBitfields; }

}  // namespace

BmpFileHeader UnpackFileHeader(std::span<const std::uint8_t, kBmpFileHeaderSize> bytes) {
    return {Load16(bytes, 0), Load32(bytes, 2), Load16(bytes, 6), Load16(bytes, 8), Load32(bytes, 10)};
}

std::array<std::uint8_t, kBmpFileHeaderSize> PackFileHeader(const BmpFileHeader& header) {
    std::array<std::uint8_t, kBmpFileHeaderSize> bytes{};
    Store16(bytes, 0, header.bfType);
    Store32(bytes, 2, header.bfSize);
    Store16(bytes, 6, header.bfReserved1);
    Store16(bytes, 8, header.bfReserved2);
    Store32(bytes, 10, header.bfOffBits);
    return bytes;
}

BmpInfoHeader UnpackInfoHeader(std::span<const std::uint8_t, kBmpInfoHeaderSize> bytes) {
    return {Load32(bytes, 0),  Load32(bytes, 4),  Load32(bytes, 8),  Load16(bytes, 12),
            Load16(bytes, 14), Load32(bytes, 16), Load32(bytes, 20), Load32(bytes, 24),
            Load32(bytes, 28), Load32(bytes, 32), Load32(bytes, 36)};
}

std::array<std::uint8_t, kBmpInfoHeaderSize> PackInfoHeader(const BmpInfoHeader& header) {
    std::array<std::uint8_t, kBmpInfoHeaderSize> bytes{};
    Store32(bytes, 0, header.biSize);
    Store32(bytes, 4, header.biWidth);
    Store32(bytes, 8, header.biHeight);
    Store16(bytes, 12, header.biPlanes);
    Store16(bytes, 14, header.biBitCount);
    Store32(bytes, 16, header.biCompression);
    Store32(bytes, 20, header.biSizeImage);
    Store32(bytes, 24, header.biXPelsPerMeter);
    Store32(bytes, 28, header.biYPelsPerMeter);
    Store32(bytes, 32, header.biClrUsed);
    Store32(bytes, 36, header.biClrImportant);
    return bytes;
}

void StoreLittleEndian32(std::span<std::uint8_t, 4> target, std::int32_t value) { Store32(target, 0, value); }
std::int32_t LoadLittleEndian32(std::span<const std::uint8_t, 4> source) { return Load32(source, 0); }

std::optional<std::int64_t> UncompressedImageSize(std::int32_t width, std::int32_t height, std::int32_t bitCount) {
    switch (bitCount) {
        case 1: case 2: case 4: case 8: case 16: case 24: case 32: break;
        default: return std::nullopt;
    }
    if (width <= 0 || height == 0) return std::nullopt;
    const std::int64_t rowBytes = DibRowBytes(width, bitCount);
    const std::int64_t rows = std::llabs(static_cast<std::int64_t>(height));
    // A forged width and height can ask for more bytes than any file could hold.
    if (rowBytes > std::numeric_limits<std::int64_t>::max() / rows) return std::nullopt;
    return rowBytes * rows;
}

std::optional<BmpLayout> CheckBmpLayout(const BmpFileHeader& file, const BmpInfoHeader& info, std::int64_t fileLength) {
    constexpr auto kHeadersSize = static_cast<std::int64_t>(kBmpFileHeaderSize + kBmpInfoHeaderSize);
    if (file.bfType != kBmpFileType) return std::nullopt;
    // Only the 40-byte header and its later, longer versions carry the fields read here.
    if (info.biSize < static_cast<std::int32_t>(kBmpInfoHeaderSize)) return std::nullopt;
    const std::int64_t pixelOffset = file.bfOffBits;
    if (pixelOffset < kHeadersSize || pixelOffset > fileLength) return std::nullopt;
    if (static_cast<std::int64_t>(kBmpFileHeaderSize) + info.biSize > pixelOffset) return std::nullopt;

    std::int64_t imageSize = info.biSizeImage;
    if (imageSize < 0) return std::nullopt;
    if (StoresPlainRows(info.biCompression)) {
        const auto needed = UncompressedImageSize(info.biWidth, info.biHeight, info.biBitCount);
        if (!needed) return std::nullopt;
        if (imageSize == 0) imageSize = *needed;
        // Fewer bytes than the rows need would send every reader of the pixels past the buffer.
        if (imageSize < *needed) return std::nullopt;
    }
    if (imageSize == 0 || imageSize > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    if (imageSize > fileLength - pixelOffset) return std::nullopt;
    return BmpLayout{pixelOffset - static_cast<std::int64_t>(kBmpFileHeaderSize), imageSize};
}

}  // namespace vfe
