#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vfe {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
inline constexpr std::int16_t kBmpFileType = 0x4D42;  // "BM" read little-endian

// Compression codes of the info header that store plain pixel rows.
inline constexpr std::int32_t kBiRgb = 0;
inline constexpr std::int32_t kBiBitfields = 3;

// The 14-byte BMP file header, fields as stored (little-endian, packed).
struct BmpFileHeader {
    std::int16_t bfType = 0;
    std::int32_t bfSize = 0;  // size of the whole file
    std::int16_t bfReserved1 = 0;
    std::int16_t bfReserved2 = 0;
    std::int32_t bfOffBits = 0;  // file offset of the pixel data
};

// The first 40 bytes of the info header; later header versions only add fields behind them.
struct BmpInfoHeader {
    std::int32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::int16_t biPlanes = 0;
    std::int16_t biBitCount = 0;
    std::int32_t biCompression = 0;
    std::int32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::int32_t biClrUsed = 0;
    std::int32_t biClrImportant = 0;
};

BmpFileHeader UnpackFileHeader(std::span<const std::uint8_t, kBmpFileHeaderSize> bytes);
std::array<std::uint8_t, kBmpFileHeaderSize> PackFileHeader(const BmpFileHeader& header);
BmpInfoHeader UnpackInfoHeader(std::span<const std::uint8_t, kBmpInfoHeaderSize> bytes);
std::array<std::uint8_t, kBmpInfoHeaderSize> PackInfoHeader(const BmpInfoHeader& header);

// Byte offset of biSizeImage inside the info header.
inline constexpr std::size_t kBiSizeImageOffset = 20;
void StoreLittleEndian32(std::span<std::uint8_t, 4> target, std::int32_t value);
std::int32_t LoadLittleEndian32(std::span<const std::uint8_t, 4> source);

// Bytes of one row of uncompressed pixels: every row is padded to whole 4-byte words.
constexpr std::int64_t DibRowBytes(std::int64_t width, std::int64_t bitCount) { return (width * bitCount + 31) / 32 * 4; }

// Bytes of an uncompressed pixel array (rows padded to 4 bytes, top-down or bottom-up);
// nothing for an impossible width, height or bit depth.
std::optional<std::int64_t> UncompressedImageSize(std::int32_t width, std::int32_t height, std::int32_t bitCount);

// Where the pieces of a BMP file lie, once its headers have been checked against the file.
struct BmpLayout {
    std::int64_t infoBlockSize = 0;  // from offset 14 to the pixel data: info header + colour table or masks
    std::int64_t imageSize = 0;      // pixel bytes at bfOffBits; biSizeImage, or computed when it is 0
};

// Checks the two headers against a file of `fileLength` bytes: the pixel offset, the info
// header's size, the image size (computed when 0 for plain pixel rows, never below what the
// rows need) and that everything lies inside the file. Nothing when the file cannot be trusted.
std::optional<BmpLayout> CheckBmpLayout(const BmpFileHeader& file, const BmpInfoHeader& info, std::int64_t fileLength);

}  // namespace vfe
