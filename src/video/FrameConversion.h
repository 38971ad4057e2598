#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/ScreenCapture.h"
#include "video/VideoPalette.h"

namespace vfe {

// A format a frame can be offered to a compressor in.
enum class FrameFormat {
    Own,       // the frame as it stands, byte for byte
    Rgb24,     // 24 bits per pixel
    Rgb555,    // 16 bits per pixel, 5 bits a channel (the low bits dropped)
    Palette8,  // 8 bits per pixel, every frame of the video with the same palette
};

// The formats to offer a compressor frames of this information block in, in order: their
// own first, then 24, 16 and 8 bits per pixel, less the one their own already is. Frames
// that cannot be converted (a colour table, compressed rows, other masks) get their own only.
std::vector<FrameFormat> FormatsToTry(std::span<const std::uint8_t> bitmapInfo);

// Converts frames of 32 bits (plain, or with the usual 8-8-8 masks), 24 bits or 16 bits
// (5-5-5) per pixel into one format, in buffers kept from frame to frame: a save converts
// a thousand frames of 3 MiB.
class FrameConverter {
public:
    // For 8 bits, the palette of every frame comes from `firstFrame`: the one palette of the
    // video, whose files all take their frames from one converter.
    FrameConverter(FrameFormat target, BitmapBytes firstFrame);

    // The frame in the target format, valid until the next call: a plain 40-byte header
    // (with the colour table for 8 bits) and the rows in the frame's order, each padded to
    // 4 bytes. Nothing when the frame cannot be converted or its rows are short.
    std::optional<BitmapBytes> Convert(BitmapBytes frame);

private:
    FrameFormat target_;
    std::optional<VideoPalette> palette_;
    std::vector<std::uint8_t> info_;
    std::vector<std::uint8_t> bits_;
};

}  // namespace vfe
