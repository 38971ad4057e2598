#include "win32/Win32ScreenCapture.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include <vector>

#include "video/BmpHeaders.h"
#include "video/BmpReader.h"
#include "win32/Resources.h"

namespace vfe::win32 {

namespace {

WORD CaptureBitCount() {
    WindowDC screen(nullptr);
    const int depth = screen ? GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES) : 0;
    return static_cast<WORD>(CaptureBitCountFor(depth));
}

bool HoldsPlainRows(const BmpInfoHeader& info) {
    return info.biCompression == kBiRgb || info.biCompression == kBiBitfields;
}

// A DIB section in a bitmap's own format; its pixel bytes and how many they are.
GdiObject<HBITMAP> DibSectionFor(std::span<const std::uint8_t> infoBlock, void*& bits, std::size_t& capacity) {
    if (infoBlock.size() < sizeof(BITMAPINFOHEADER)) return {};
    // The block is copied so that the header sits at a properly aligned address.
    std::vector<std::uint32_t> aligned((infoBlock.size() + 3) / 4 + 256, 0);
    std::memcpy(aligned.data(), infoBlock.data(), infoBlock.size());
    GdiObject<HBITMAP> picture(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(aligned.data()),
                                                DIB_RGB_COLORS, &bits, nullptr, 0));
    DIBSECTION section{};
    if (!picture || !bits || GetObjectA(picture.get(), sizeof section, &section) != sizeof section) return {};
    capacity = static_cast<std::size_t>(section.dsBm.bmWidthBytes) * static_cast<std::size_t>(section.dsBm.bmHeight);
    return picture;
}

DWORD ImageSize(LONG width, LONG height, WORD bitCount) {
    return static_cast<DWORD>(DibRowBytes(width, bitCount) * height);
}

}  // namespace

Win32ScreenCapture::~Win32ScreenCapture() {
    // The preview must not keep a handle to a bitmap that goes with us.
    if (IsWindow(preview_)) RemovePropA(preview_, kPictureProperty);
}

bool Win32ScreenCapture::CreateCapturePicture(Size outerSize) {
    const Size client = ClientAreaOf(outerSize);
    const LONG width = std::max(1, client.width);
    const LONG height = std::max(1, client.height);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as a BMP file keeps its rows
    header.biPlanes = 1;
    header.biBitCount = CaptureBitCount();
    header.biCompression = BI_RGB;
    header.biSizeImage = ImageSize(width, height, header.biBitCount);

    if (capture_) {
        BITMAP existing{};
        if (GetObjectA(capture_.get(), sizeof existing, &existing) && existing.bmWidth == width &&
            existing.bmHeight == height && existing.bmBitsPixel == header.biBitCount)
            return true;  // the one from the last recording fits: reuse it
        DestroyCapturePicture();
    }

    BITMAPINFO info{};
    info.bmiHeader = header;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    capture_ = std::move(bitmap);
    captureBits_ = bits;
    captureInfo_.resize(sizeof header);
    std::memcpy(captureInfo_.data(), &header, sizeof header);
    return true;
}

void Win32ScreenCapture::DestroyCapturePicture() {
    if (!capture_) return;
    if (GetPropA(preview_, kPictureProperty) == capture_.get()) RemovePropA(preview_, kPictureProperty);
    capture_.reset();
    captureBits_ = nullptr;
    captureInfo_.clear();
    InvalidateRect(preview_, nullptr, TRUE);
}

bool Win32ScreenCapture::CopyScreenToCapturePicture(Size area) {
    if (!capture_ || area.width <= 0 || area.height <= 0) return false;
    HWND desktop = GetDesktopWindow();
    WindowDC screen(desktop);
    if (!screen) return false;
    MemoryDC target(CreateCompatibleDC(screen.get()));
    if (!target) return false;
    BOOL copied = FALSE;
    {
        SelectedObject selected(target.get(), capture_.get());
        copied = StretchBlt(target.get(), 0, 0, area.width, area.height, screen.get(), 0, 0, area.width, area.height,
                            SRCCOPY);
    }
    GdiFlush();  // the pixels are read straight from the section next
    return copied != FALSE;
}

void Win32ScreenCapture::ShowCapturePictureInPreview() {
    if (!capture_) return;
    ShowInPreview(capture_.get());
    loaded_.reset();
    loadedInfo_.clear();
}

std::optional<BitmapBytes> Win32ScreenCapture::CapturePictureBytes() const {
    if (!capture_ || !captureBits_ || captureInfo_.size() < sizeof(BITMAPINFOHEADER)) return std::nullopt;
    BITMAPINFOHEADER header{};
    std::memcpy(&header, captureInfo_.data(), sizeof header);
    return BitmapBytes{captureInfo_, {static_cast<const std::uint8_t*>(captureBits_), header.biSizeImage}};
}

bool Win32ScreenCapture::ShowFileInPreview(const std::string& path) {
    // The file is read and checked by our own reader: the system's loader is not given
    // frames that may have been cut short or forged since they were written.
    const auto contents = ReadCheckedBmpFile(path);
    return contents && ShowBitmapInPreview({contents->infoBlock, contents->bits});
}

bool Win32ScreenCapture::ShowBitmapInPreview(BitmapBytes bitmap) {
    if (bitmap.bitmapInfo.size() < kBmpInfoHeaderSize) return false;
    if (!HoldsPlainRows(UnpackInfoHeader(bitmap.bitmapInfo.first<kBmpInfoHeaderSize>()))) return false;
    const bool sameFormat = loaded_ && std::equal(bitmap.bitmapInfo.begin(), bitmap.bitmapInfo.end(),
                                                  loadedInfo_.begin(), loadedInfo_.end());
    // Everything that may fail or throw is made first, so that a failure leaves the kept
    // picture and the preview as they were; then only swaps, which cannot throw.
    GdiObject<HBITMAP> picture;  // after the swap: the one shown before, released once the preview holds the new one
    if (!sameFormat) {
        std::vector<std::uint8_t> info(bitmap.bitmapInfo.begin(), bitmap.bitmapInfo.end());
        void* bits = nullptr;
        std::size_t capacity = 0;
        picture = DibSectionFor(bitmap.bitmapInfo, bits, capacity);
        if (!picture) return false;
        std::swap(loaded_, picture);
        loadedInfo_.swap(info);
        loadedBits_ = bits;
        loadedCapacity_ = capacity;
    }
    GdiFlush();  // nothing of GDI's may still be drawing from the pixels written next
    std::memcpy(loadedBits_, bitmap.bits.data(), std::min(loadedCapacity_, bitmap.bits.size()));
    ShowInPreview(loaded_.get());
    return true;
}

std::optional<std::vector<std::uint8_t>> Win32ScreenCapture::WindowPicture(WindowHandle window) {
    RECT area{};
    if (!GetWindowRect(reinterpret_cast<HWND>(window), &area)) return std::nullopt;
    const LONG width = area.right - area.left;
    const LONG height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return std::nullopt;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = ImageSize(width, height, 32);
    void* bits = nullptr;
    GdiObject<HBITMAP> picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    WindowDC screen(GetDesktopWindow());
    MemoryDC target(screen ? CreateCompatibleDC(screen.get()) : nullptr);
    if (!picture || !bits || !target) return std::nullopt;
    {
        SelectedObject selected(target.get(), picture.get());
        if (!BitBlt(target.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) return std::nullopt;
    }
    GdiFlush();
    std::vector<std::uint8_t> packed(sizeof info.bmiHeader + info.bmiHeader.biSizeImage);
    std::memcpy(packed.data(), &info.bmiHeader, sizeof info.bmiHeader);
    std::memcpy(packed.data() + sizeof info.bmiHeader, bits, info.bmiHeader.biSizeImage);
    return packed;
}

void Win32ScreenCapture::ShowInPreview(HBITMAP picture) {
    SetPropA(preview_, kPictureProperty, picture);
    InvalidateRect(preview_, nullptr, FALSE);
}

}  // namespace vfe::win32
