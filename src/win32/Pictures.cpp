#include "win32/Pictures.h"

#include <cstring>

namespace vfe::win32 {

GdiObject<HBITMAP> ToBitmap(const Picture24& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.size.width;
    info.bmiHeader.biHeight = -picture.size.height;  // top-down, as the picture is laid out
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) std::memcpy(bits, picture.pixels.data(), picture.pixels.size());
    return bitmap;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int left, int top, int width, int height) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
    MemoryDC source(CreateCompatibleDC(dc));
    if (!source) return;
    SelectedObject selected(source.get(), bitmap);
    if (width <= 0 || height <= 0 || (width == info.bmWidth && height == info.bmHeight)) {
        BitBlt(dc, left, top, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
        return;
    }
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, left, top, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

}  // namespace vfe::win32
