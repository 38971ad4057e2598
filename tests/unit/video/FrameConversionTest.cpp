#include <gtest/gtest.h>

#include <algorithm>

#include "video/BmpHeaders.h"
#include "video/FrameConversion.h"

namespace vfe {
namespace {

struct Rgb {
    int r, g, b;
};
// The corners of the colour cube and a dark grey near its second level, three to a row: an
// odd width. Each keeps its value in 16 bits (5 bits widened to 8).
const std::vector<Rgb> kColours{{0, 0, 0},     {255, 255, 255}, {255, 0, 0},   {0, 255, 0},    {0, 0, 255},
                                {0, 255, 255}, {255, 0, 255},   {255, 255, 0}, {49, 49, 49}};

struct Frame {
    std::vector<std::uint8_t> info, bits;
    BitmapBytes Bytes() const { return {info, bits}; }
};

Frame MakeFrame(int width, int bitCount, std::int32_t compression, const std::vector<Rgb>& pixels) {
    const auto packed = PackInfoHeader({40, width, static_cast<std::int32_t>(pixels.size()) / width, 1,
                                        static_cast<std::int16_t>(bitCount), compression});
    constexpr std::uint8_t kPlainMasks[] = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};  // red, green, blue
    Frame frame{std::vector<std::uint8_t>(40 + sizeof kPlainMasks), {}};
    std::copy(std::begin(kPlainMasks), std::end(kPlainMasks), std::copy(packed.begin(), packed.end(), frame.info.begin()));
    if (compression != kBiBitfields) frame.info.resize(40);
    const auto rowBytes = static_cast<std::size_t>(DibRowBytes(width, bitCount));
    frame.bits.resize(rowBytes * pixels.size() / width);
    if (bitCount < 16) return frame;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        std::uint8_t* pixel = &frame.bits[i / width * rowBytes + i % width * bitCount / 8];
        const auto [r, g, b] = pixels[i];
        const int rgb555 = (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
        if (bitCount == 16) for (const int byte : {rgb555 & 0xFF, rgb555 >> 8}) *pixel++ = static_cast<std::uint8_t>(byte);
        else for (const int channel : {b, g, r}) *pixel++ = static_cast<std::uint8_t>(channel);
    }
    return frame;
}

Rgb PixelAt(const BitmapBytes& frame, int bitCount, int rowBytes, int row, int x) {
    const std::uint8_t* p = &frame.bits[static_cast<std::size_t>(row * rowBytes + x * bitCount / 8)];
    if (bitCount == 24) return {p[2], p[1], p[0]};
    const int value = p[0] | p[1] << 8;
    if (bitCount == 16) return {(value >> 10 & 31) << 3, (value >> 5 & 31) << 3, (value & 31) << 3};
    const std::uint8_t* entry = &frame.bitmapInfo[40 + 4 * p[0]];
    return {entry[2], entry[1], entry[0]};
}

struct Conversion {
    int fromBits;
    std::int32_t fromCompression;
    FrameFormat to;
    int toBits, rowBytes;
};

// 24 bits keep each pixel, 16 bits drop the low 3 bits of each channel, and 8 bits give
// the colours of the frame that chose the palette exactly.
TEST(FrameConversion, KeepsEachColourAsTheFormatAllows) {
    for (const Conversion c : {Conversion{32, kBiRgb, FrameFormat::Rgb24, 24, 12},
                               Conversion{32, kBiBitfields, FrameFormat::Rgb555, 16, 8},
                               Conversion{32, kBiRgb, FrameFormat::Palette8, 8, 4},
                               Conversion{24, kBiRgb, FrameFormat::Palette8, 8, 4},
                               Conversion{16, kBiRgb, FrameFormat::Rgb24, 24, 12}}) {
        SCOPED_TRACE(c.toBits);
        const Frame frame = MakeFrame(3, c.fromBits, c.fromCompression, kColours);
        FrameConverter converter(c.to, frame.Bytes());
        // A wider frame first: its pixels lie where the padding of the next frame's rows goes.
        const Frame wider = MakeFrame(4, c.fromBits, c.fromCompression, std::vector<Rgb>(12, Rgb{255, 255, 255}));
        ASSERT_TRUE(converter.Convert(wider.Bytes()));
        EXPECT_FALSE(converter.Convert({frame.info, std::span(frame.bits).first(8)})) << "rows missing";
        const auto converted = converter.Convert(frame.Bytes());
        ASSERT_TRUE(converted);

        const int colours = c.toBits == 8 ? 216 + 1 : 0;  // a cube of 6 levels, and the frame's grey
        const auto header = PackInfoHeader({40, 3, 3, 1, static_cast<std::int16_t>(c.toBits), kBiRgb, 3 * c.rowBytes, 0, 0, colours});
        EXPECT_TRUE(std::equal(header.begin(), header.end(), converted->bitmapInfo.begin()));
        EXPECT_EQ(converted->bitmapInfo.size(), 40u + 4u * colours);
        EXPECT_EQ(converted->bits.size(), 3u * c.rowBytes);
        const int kept = c.toBits == 16 ? 0xF8 : 0xFF;
        for (int i = 0; i < 9; ++i) {
            const Rgb want = kColours[static_cast<std::size_t>(i)], got = PixelAt(*converted, c.toBits, c.rowBytes, i / 3, i % 3);
            EXPECT_TRUE(got.r == (want.r & kept) && got.g == (want.g & kept) && got.b == (want.b & kept)) << "pixel " << i;
        }
        for (int row = 0; row < 3; ++row)
            for (int at = 3 * c.toBits / 8; at < c.rowBytes; ++at) EXPECT_EQ(converted->bits[row * c.rowBytes + at], 0);
    }
}

TEST(FrameConversion, TriesTheFramesOwnFormatFirstThenTwentyFourSixteenAndEightBits) {
    using enum FrameFormat;
    EXPECT_EQ(FormatsToTry(MakeFrame(3, 32, kBiRgb, kColours).info), (std::vector{Own, Rgb24, Rgb555, Palette8}));
    EXPECT_EQ(FormatsToTry(MakeFrame(3, 32, kBiBitfields, kColours).info), (std::vector{Own, Rgb24, Rgb555, Palette8}));
    EXPECT_EQ(FormatsToTry(MakeFrame(3, 24, kBiRgb, kColours).info), (std::vector{Own, Rgb555, Palette8}));
    EXPECT_EQ(FormatsToTry(MakeFrame(3, 16, kBiRgb, kColours).info), (std::vector{Own, Rgb24, Palette8}));
    EXPECT_EQ(FormatsToTry(MakeFrame(3, 8, kBiRgb, kColours).info), (std::vector{Own}));
    auto otherMasks = MakeFrame(3, 32, kBiBitfields, kColours).info;
    otherMasks[49] = 0x03;  // blue in 10 bits
    EXPECT_EQ(FormatsToTry(otherMasks), (std::vector{Own}));
}

// A screen of more colours than the palette has room for: the colour of its largest area
// comes out exact.
TEST(FrameConversion, EightBitsKeepTheColourOfTheLargestAreaExact) {
    std::vector<Rgb> pixels;
    for (int i = 0; i < 64; ++i) pixels.push_back({8 * (i % 32) + 1, 8 * (i / 32) + 1, 1});  // each seen once
    pixels.resize(128, Rgb{100, 100, 100});
    const Frame frame = MakeFrame(8, 24, kBiRgb, pixels);
    FrameConverter converter(FrameFormat::Palette8, frame.Bytes());
    const auto converted = converter.Convert(frame.Bytes());
    ASSERT_TRUE(converted);
    const Rgb got = PixelAt(*converted, 8, 8, 15, 7);
    EXPECT_TRUE(got.r == 100 && got.g == 100 && got.b == 100) << got.r << " " << got.g << " " << got.b;
}

}  // namespace
}  // namespace vfe
