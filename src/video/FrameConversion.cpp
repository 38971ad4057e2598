#include "video/FrameConversion.h"

#include <algorithm>
#include <array>
#include <limits>

#include "video/BmpHeaders.h"

namespace vfe {

namespace {

// The pixel layouts a frame can be converted from.
enum class SourceLayout { Bgrx32, Bgr24, Rgb555 };

struct Source {
    SourceLayout layout;
    BmpInfoHeader header;
    std::int64_t imageSize;
};

// 32-bit masks that say no more than plain 32-bit rows do: red, green, blue from high to low.
constexpr std::array<std::int32_t, 3> kPlainMasks{0x00FF0000, 0x0000FF00, 0x000000FF};

bool HasPlainMasks(std::span<const std::uint8_t> bitmapInfo) {
    // The masks follow a 40-byte header; a longer header holds them at the same place.
    if (bitmapInfo.size() < kBmpInfoHeaderSize + 12) return false;
    for (std::size_t i = 0; i < kPlainMasks.size(); ++i)
        if (LoadLittleEndian32(bitmapInfo.subspan(kBmpInfoHeaderSize + 4 * i).first<4>()) != kPlainMasks[i])
            return false;
    return true;
}

std::optional<SourceLayout> LayoutOf(const BmpInfoHeader& header, std::span<const std::uint8_t> bitmapInfo) {
    if (header.biBitCount == 32 && (header.biCompression == kBiRgb ||
                                    (header.biCompression == kBiBitfields && HasPlainMasks(bitmapInfo))))
        return SourceLayout::Bgrx32;
    if (header.biCompression != kBiRgb) return std::nullopt;
    if (header.biBitCount == 24) return SourceLayout::Bgr24;
    if (header.biBitCount == 16) return SourceLayout::Rgb555;
    return std::nullopt;
}

std::optional<Source> ConvertibleSource(std::span<const std::uint8_t> bitmapInfo) {
    if (bitmapInfo.size() < kBmpInfoHeaderSize) return std::nullopt;
    const BmpInfoHeader header = UnpackInfoHeader(bitmapInfo.first<kBmpInfoHeaderSize>());
    if (header.biSize < static_cast<std::int32_t>(kBmpInfoHeaderSize)) return std::nullopt;
    const auto layout = LayoutOf(header, bitmapInfo);
    const auto imageSize = UncompressedImageSize(header.biWidth, header.biHeight, header.biBitCount);
    if (!layout || !imageSize) return std::nullopt;
    return Source{*layout, header, *imageSize};
}

// A frame whose pixels can be read for converting: its rows are all there.
std::optional<Source> ConvertibleFrame(BitmapBytes frame) {
    auto source = ConvertibleSource(frame.bitmapInfo);
    if (!source || static_cast<std::int64_t>(frame.bits.size()) < source->imageSize) return std::nullopt;
    return source;
}

// The format a frame of this layout already is, among those it can be converted to.
FrameFormat FormatOf(SourceLayout layout) {
    switch (layout) {
        case SourceLayout::Bgr24: return FrameFormat::Rgb24;
        case SourceLayout::Rgb555: return FrameFormat::Rgb555;
        default: return FrameFormat::Own;
    }
}

int BitCountOf(FrameFormat format) {
    switch (format) {
        case FrameFormat::Rgb24: return 24;
        case FrameFormat::Rgb555: return 16;
        default: return 8;
    }
}

struct Rgb {
    std::uint8_t r, g, b;
};

// A 5-bit channel widened to 8 bits, white staying white.
constexpr std::uint8_t Widened(unsigned fiveBits) { return static_cast<std::uint8_t>((fiveBits << 3) | (fiveBits >> 2)); }

Rgb ReadPixel(SourceLayout layout, const std::uint8_t* row, std::size_t x) {
    switch (layout) {
        case SourceLayout::Bgrx32: return {row[4 * x + 2], row[4 * x + 1], row[4 * x]};
        case SourceLayout::Bgr24: return {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
        default: {
            const unsigned value = row[2 * x] | (row[2 * x + 1] << 8);
            return {Widened((value >> 10) & 31), Widened((value >> 5) & 31), Widened(value & 31)};
        }
    }
}

// Sizes in memory: the frame's rows are all there, so they fit the address space.
std::size_t WidthOf(const Source& source) { return static_cast<std::size_t>(source.header.biWidth); }
std::size_t RowBytesOf(const Source& source, int bitCount) {
    return static_cast<std::size_t>(DibRowBytes(source.header.biWidth, bitCount));
}

// Calls `visit(y, x, colour)` for every pixel, row by row in the frame's order. The layout
// is a template argument so that each loop reads its own layout without a branch.
template <SourceLayout layout, typename Visit>
void VisitPixels(const Source& source, const std::uint8_t* from, Visit visit) {
    const std::size_t width = WidthOf(source);
    const std::size_t rowBytes = RowBytesOf(source, source.header.biBitCount);
    const std::size_t rows = static_cast<std::size_t>(source.imageSize) / rowBytes;
    for (std::size_t y = 0; y < rows; ++y, from += rowBytes)
        for (std::size_t x = 0; x < width; ++x) visit(y, x, ReadPixel(layout, from, x));
}

template <typename Visit>
void VisitPixels(const Source& source, const std::uint8_t* from, Visit visit) {
    switch (source.layout) {
        case SourceLayout::Bgrx32: VisitPixels<SourceLayout::Bgrx32>(source, from, visit); break;
        case SourceLayout::Bgr24: VisitPixels<SourceLayout::Bgr24>(source, from, visit); break;
        case SourceLayout::Rgb555: VisitPixels<SourceLayout::Rgb555>(source, from, visit); break;
    }
}

// Writes the frame's pixels into rows of `bitCount` bits a pixel, padding included.
void ConvertPixels(FrameFormat target, const VideoPalette* palette, const Source& source, const std::uint8_t* from,
                   std::span<std::uint8_t> to) {
    const int bitCount = BitCountOf(target);
    const std::size_t rowBytes = RowBytesOf(source, bitCount);
    std::uint8_t* const rows = to.data();
    switch (target) {
        case FrameFormat::Rgb24:
            VisitPixels(source, from, [rows, rowBytes](std::size_t y, std::size_t x, Rgb c) {
                std::uint8_t* pixel = rows + y * rowBytes + 3 * x;
                pixel[0] = c.b;
                pixel[1] = c.g;
                pixel[2] = c.r;
            });
            break;
        case FrameFormat::Rgb555:
            VisitPixels(source, from, [rows, rowBytes](std::size_t y, std::size_t x, Rgb c) {
                const unsigned value = Rgb555Of(c.r, c.g, c.b);
                std::uint8_t* pixel = rows + y * rowBytes + 2 * x;
                pixel[0] = static_cast<std::uint8_t>(value & 0xFF);
                pixel[1] = static_cast<std::uint8_t>(value >> 8);
            });
            break;
        default:
            VisitPixels(source, from, [rows, rowBytes, palette](std::size_t y, std::size_t x, Rgb c) {
                rows[y * rowBytes + x] = palette->IndexOf(c.r, c.g, c.b);
            });
    }
    // The buffer holds the previous frame: its padding is set anew too.
    const std::size_t pixelBytes = WidthOf(source) * static_cast<std::size_t>(bitCount) / 8;
    if (pixelBytes == rowBytes) return;
    for (auto row = to.begin(); row != to.end(); row += rowBytes) std::fill(row + pixelBytes, row + rowBytes, 0);
}

}  // namespace

std::vector<FrameFormat> FormatsToTry(std::span<const std::uint8_t> bitmapInfo) {
    std::vector<FrameFormat> formats{FrameFormat::Own};
    const auto source = ConvertibleSource(bitmapInfo);
    if (!source) return formats;
    for (const FrameFormat format : {FrameFormat::Rgb24, FrameFormat::Rgb555, FrameFormat::Palette8})
        if (format != FormatOf(source->layout)) formats.push_back(format);
    return formats;
}

FrameConverter::FrameConverter(FrameFormat target, BitmapBytes firstFrame) : target_(target) {
    if (target_ != FrameFormat::Palette8) return;
    ColourCensus census;
    if (const auto source = ConvertibleFrame(firstFrame))
        VisitPixels(*source, firstFrame.bits.data(), [&census](std::size_t, std::size_t, Rgb c) { census.Add(c.r, c.g, c.b); });
    palette_.emplace(census);
}

std::optional<BitmapBytes> FrameConverter::Convert(BitmapBytes frame) {
    if (target_ == FrameFormat::Own) return frame;
    const auto source = ConvertibleFrame(frame);
    if (!source) return std::nullopt;
    const int bitCount = BitCountOf(target_);
    const auto imageSize = UncompressedImageSize(source->header.biWidth, source->header.biHeight, bitCount);
    if (!imageSize || *imageSize > std::numeric_limits<std::int32_t>::max()) return std::nullopt;

    BmpInfoHeader header = source->header;
    header.biSize = static_cast<std::int32_t>(kBmpInfoHeaderSize);
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::int16_t>(bitCount);
    header.biCompression = kBiRgb;
    header.biSizeImage = static_cast<std::int32_t>(*imageSize);
    header.biClrUsed = palette_ ? palette_->Size() : 0;
    header.biClrImportant = 0;
    const auto packed = PackInfoHeader(header);
    info_.assign(packed.begin(), packed.end());
    if (palette_) info_.insert(info_.end(), palette_->ColourTable().begin(), palette_->ColourTable().end());

    bits_.resize(static_cast<std::size_t>(*imageSize));
    ConvertPixels(target_, palette_ ? &*palette_ : nullptr, *source, frame.bits.data(), bits_);
    return BitmapBytes{info_, bits_};
}

}  // namespace vfe
