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

}  // namespace vfe::win32
