#pragma once
// Builds BMP files byte by byte for the tests, including broken ones.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "video/BmpHeaders.h"

namespace vfe::testing {

struct BmpBuilder {
    std::int16_t type = kBmpFileType;
    std::int32_t width = 3;
    std::int32_t height = 2;
    std::int16_t bitCount = 24;
    std::int32_t compression = kBiRgb;
    std::int32_t infoSize = 40;             // biSize; bytes past 40 are filled with a pattern
    std::size_t tableBytes = 0;             // colour table or masks between info header and pixels
    std::optional<std::int32_t> sizeImage;  // biSizeImage as stored; default: the rows' size
    std::optional<std::size_t> pixelBytes;  // pixel bytes actually stored; default: the rows' size
    std::optional<std::int32_t> offBits;    // bfOffBits as stored; default: where the pixels start
    std::uint8_t seed = 1;                  // varies the pixel and table bytes

    std::size_t RowsSize() const { return static_cast<std::size_t>(UncompressedImageSize(width, height, bitCount).value_or(0)); }

    std::vector<std::uint8_t> InfoBlock() const {
        BmpInfoHeader info;
        info.biSize = infoSize;
        info.biWidth = width;
        info.biHeight = height;
        info.biPlanes = 1;
        info.biBitCount = bitCount;
        info.biCompression = compression;
        info.biSizeImage = sizeImage.value_or(static_cast<std::int32_t>(RowsSize()));
        info.biXPelsPerMeter = 2835;
        info.biYPelsPerMeter = 2836;
        info.biClrUsed = 7;
        info.biClrImportant = 5;
        const auto header = PackInfoHeader(info);
        std::vector<std::uint8_t> block(header.begin(), header.end());
        for (std::int32_t i = 40; i < infoSize; ++i) block.push_back(static_cast<std::uint8_t>(0xA0 + i));
        for (std::size_t i = 0; i < tableBytes; ++i) block.push_back(static_cast<std::uint8_t>(i * 3 + seed));
        return block;
    }

    std::vector<std::uint8_t> Pixels() const {
        std::vector<std::uint8_t> pixels(pixelBytes.value_or(RowsSize()));
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7 + seed * 31);
        return pixels;
    }

    std::vector<std::uint8_t> File() const {
        const auto info = InfoBlock();
        const auto pixels = Pixels();
        BmpFileHeader header;
        header.bfType = type;
        header.bfSize = static_cast<std::int32_t>(14 + info.size() + pixels.size());
        header.bfOffBits = offBits.value_or(static_cast<std::int32_t>(14 + info.size()));
        const auto packed = PackFileHeader(header);
        std::vector<std::uint8_t> file(packed.size() + info.size() + pixels.size());
        auto at = std::copy(packed.begin(), packed.end(), file.begin());
        at = std::copy(info.begin(), info.end(), at);
        std::copy(pixels.begin(), pixels.end(), at);
        return file;
    }
};

}  // namespace vfe::testing
