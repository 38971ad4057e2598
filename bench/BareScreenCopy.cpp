// The peer of the capture-rate benchmark: a loop that only copies the top-left screen
// rectangle into a DIB section the way the frame grabber does (desktop DC, memory DC,
// StretchBlt 1:1, GdiFlush), with nothing saved. Prints copies per second.
//   bench_bare_copy <width> <height> [seconds=3]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int width = argc > 1 ? std::atoi(argv[1]) : 1024;
    const int height = argc > 2 ? std::atoi(argv[2]) : 768;
    const double seconds = argc > 3 ? std::atof(argv[3]) : 3;

    HDC probe = GetDC(nullptr);
    const int depth = GetDeviceCaps(probe, BITSPIXEL) * GetDeviceCaps(probe, PLANES);
    ReleaseDC(nullptr, probe);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(depth == 32 ? 32 : depth == 16 ? 16 : 24);
    void* bits = nullptr;
    HBITMAP capture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!capture) {
        std::printf("bare copy: no DIB section\n");
        return 1;
    }

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long copies = 0;
    unsigned checksum = 0;
    while (std::chrono::duration<double>(Clock::now() - start).count() < seconds) {
        HWND desktop = GetDesktopWindow();
        HDC screen = GetDC(desktop);
        HDC target = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(target, capture);
        StretchBlt(target, 0, 0, width, height, screen, 0, 0, width, height, SRCCOPY);
        SelectObject(target, old);
        DeleteDC(target);
        ReleaseDC(desktop, screen);
        GdiFlush();
        checksum += static_cast<const unsigned char*>(bits)[copies % 4096];
        ++copies;
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("bare copy: %.1f copies/s of %dx%d at %d bpp (%ld in %.2f s, %u)\n", copies / elapsed, width, height,
                info.bmiHeader.biBitCount, copies, elapsed, checksum & 1);
    DeleteObject(capture);
    return 0;
}
