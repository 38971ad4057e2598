// The peer of the capture tick: a loop that does only what a frame needs, the way the
// frame grabber does it (desktop DC, memory DC, StretchBlt 1:1 into a DIB section,
// GdiFlush) and then writes the frame as a BMP file z<i>.bmp (one header write and one
// pixel write), with no timer and no window. Prints the mean time of one frame, after the
// first ten.
//   bench_bare_copy <folder> <frames> [width=1024] [height=768]
// Prints: bare copy and write: <ms> ms per frame (<N> frames of <w>x<h> at <bpp> bpp)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: bench_bare_copy <folder> <frames> [width] [height]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int frames = std::atoi(argv[2]);
    const int width = argc > 3 ? std::atoi(argv[3]) : 1024;
    const int height = argc > 4 ? std::atoi(argv[4]) : 768;

    HDC probe = GetDC(nullptr);
    const int depth = GetDeviceCaps(probe, BITSPIXEL) * GetDeviceCaps(probe, PLANES);
    ReleaseDC(nullptr, probe);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(depth == 32 ? 32 : depth == 16 ? 16 : 24);
    header.biSizeImage = static_cast<DWORD>(((width * header.biBitCount + 31) / 32) * 4 * height);
    void* bits = nullptr;
    HBITMAP capture = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!capture) {
        std::printf("bare copy and write: no DIB section\n");
        return 1;
    }
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;
    unsigned char headers[sizeof fileHeader + sizeof header];
    std::memcpy(headers, &fileHeader, sizeof fileHeader);
    std::memcpy(headers + sizeof fileHeader, &header, sizeof header);

    // Timed after the first few, as the recording's tick is.
    constexpr int kWarmUpFrames = 10;
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    for (int i = 0; i < kWarmUpFrames + frames; ++i) {
        if (i == kWarmUpFrames) start = Clock::now();
        HWND desktop = GetDesktopWindow();
        HDC screen = GetDC(desktop);
        HDC target = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(target, capture);
        StretchBlt(target, 0, 0, width, height, screen, 0, 0, width, height, SRCCOPY);
        SelectObject(target, old);
        DeleteDC(target);
        ReleaseDC(desktop, screen);
        GdiFlush();
        const std::string path = folder + "\\z" + std::to_string(i) + ".bmp";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        const bool written = file && std::fwrite(headers, 1, sizeof headers, file) == sizeof headers &&
                             std::fwrite(bits, 1, header.biSizeImage, file) == header.biSizeImage;
        if (file) std::fclose(file);
        if (!written) {
            std::printf("bare copy and write: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("bare copy and write: %.2f ms per frame (%d frames of %dx%d at %d bpp)\n", ms / frames, frames, width,
                height, header.biBitCount);
    DeleteObject(capture);
    return 0;
}
