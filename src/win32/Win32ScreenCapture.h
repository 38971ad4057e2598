#pragma once
#include <windows.h>

#include <vector>

#include "platform/ScreenCapture.h"
#include "win32/Handles.h"

namespace vfe::win32 {

// The capture picture as a DIB section (its pixels are read in place, never copied out
// per frame) and the preview picture box that shows a bitmap through its window property.
class Win32ScreenCapture final : public ScreenCapture {
public:
    explicit Win32ScreenCapture(HWND preview) : preview_(preview) {}
    ~Win32ScreenCapture() override;
    Win32ScreenCapture(const Win32ScreenCapture&) = delete;
    Win32ScreenCapture& operator=(const Win32ScreenCapture&) = delete;

    bool CreateCapturePicture(Size outerSize) override;
    void DestroyCapturePicture() override;
    bool HasCapturePicture() const override { return static_cast<bool>(capture_); }
    bool CopyScreenToCapturePicture(Size area) override;
    void ShowCapturePictureInPreview() override;
    std::optional<BitmapBytes> CapturePictureBytes() const override;
    bool ShowFileInPreview(const std::string& path) override;
    bool ShowBitmapInPreview(BitmapBytes bitmap) override;
    std::optional<std::vector<std::uint8_t>> WindowPicture(WindowHandle window) override;

private:
    void ShowInPreview(HBITMAP picture);

    HWND preview_;
    GdiObject<HBITMAP> capture_;
    void* captureBits_ = nullptr;
    std::vector<std::uint8_t> captureInfo_;  // info header (and masks) of the capture picture
    // The picture kept for the frames the list shows, made anew only for another format.
    GdiObject<HBITMAP> loaded_;
    std::vector<std::uint8_t> loadedInfo_;  // its information block
    void* loadedBits_ = nullptr;
    std::size_t loadedCapacity_ = 0;  // its pixel bytes
};

}  // namespace vfe::win32
