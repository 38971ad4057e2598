#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace vfe {

// A bitmap as a BMP file stores it: the information block (header plus any colour
// table or masks) and the pixel rows, bottom-up.
struct BitmapBytes {
    std::span<const std::uint8_t> bitmapInfo;
    std::span<const std::uint8_t> bits;
};

// A picture box's client area: its outer size less a border of 2 pixels on each side. The
// capture area is the preview picture's client area.
inline constexpr int kPictureBorder = 4;
constexpr Size ClientAreaOf(Size pictureOuterSize) {
    return {pictureOuterSize.width - kPictureBorder, pictureOuterSize.height - kPictureBorder};
}

// The capture picture's bits per pixel for a display of this depth: 32, 24 or 16 (5-5-5,
// the format a plain 16-bit BMP means); any other depth is kept as 24 bits.
constexpr int CaptureBitCountFor(int displayBitsPerPixel) {
    switch (displayBitsPerPixel) {
        case 32: return 32;
        case 15:
        case 16: return 16;
        default: return 24;
    }
}

// The two pictures of the capture panel: the hidden capture picture pic(1) that the
// screen is copied into, and the preview picture pic(0) that shows a frame.
class ScreenCapture {
public:
    virtual ~ScreenCapture() = default;

    // Creates the capture picture, or resizes the existing one, for a picture box of
    // this outer size: its bitmap is the client area (outer size less 4 each way), at
    // the display's colour depth. False when it could not be made.
    virtual bool CreateCapturePicture(Size outerSize) = 0;
    virtual void DestroyCapturePicture() = 0;
    virtual bool HasCapturePicture() const = 0;

    // Copies the screen's top-left `area` 1:1 into the capture picture at (0, 0); false
    // when the copy failed (the picture then holds what it held).
    virtual bool CopyScreenToCapturePicture(Size area) = 0;
    virtual void ShowCapturePictureInPreview() = 0;
    // The capture picture's bytes, valid until it is copied into, resized or destroyed.
    virtual std::optional<BitmapBytes> CapturePictureBytes() const = 0;

    // Shows a BMP file in the preview; false (preview unchanged) when it cannot be loaded.
    virtual bool ShowFileInPreview(const std::string& path) = 0;
    // Shows a bitmap already in memory in the preview, copied into the one picture kept for
    // the frames shown there; false (preview unchanged) when its rows are not plain ones.
    virtual bool ShowBitmapInPreview(BitmapBytes bitmap) = 0;

    // What the screen shows of a top-level window, as a packed device-independent bitmap
    // (the picture Print Screen takes of the active window); nothing when it cannot be had.
    virtual std::optional<std::vector<std::uint8_t>> WindowPicture(WindowHandle window) = 0;
};

}  // namespace vfe
