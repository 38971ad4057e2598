// Stand-in for the outside programs (the emulator builds and the VMS browser): one
// program copied under each of their names. It takes its caption from its own file
// name, obeys WM_CLOSE and the show codes, animates so that a recording shows motion,
// shows the region byte of dc_flash.bin, and logs what happens to it beside itself.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "StandinRules.h"
#include "platform/Paths.h"
#include "win32/BaseWindow.h"
#include "win32/Handles.h"
#include "win32/ModuleFileName.h"

namespace {

using vfe::win32::GdiObject;
using vfe::win32::KernelHandle;
using vfe::win32::MemoryDC;
using vfe::win32::SelectedObject;

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kTickMs = 40;
constexpr int kFlashRereadTicks = 25;  // about once a second, so a region switch shows
constexpr int kClientWidth = 320;
constexpr int kClientHeight = 240;
constexpr int kBlock = 40;

std::string CurrentDirectory() {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::string dir(needed, '\0');
    const DWORD length = GetCurrentDirectoryA(needed, dir.data());
    dir.resize(length < needed ? length : 0);
    return dir;
}

// Several instances may write the same log: each line is one open-append-close, one
// instance at a time. Under Wine two processes appending at once could lose a line (about
// one start of two instances in fifty), so the instances take turns through a mutex.
class EventLog {
public:
    explicit EventLog(std::string path) : path_(std::move(path)) {}
    void Line(const std::string& text) const {
        const KernelHandle turn(CreateMutexA(nullptr, FALSE, "VelmoranStandin.Log"));
        // WAIT_ABANDONED (an instance ended while writing) gives the turn all the same.
        const DWORD waited = turn ? WaitForSingleObject(turn.get(), 5000) : WAIT_FAILED;
        const bool ours = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        Append(text + "\r\n");
        if (ours) ReleaseMutex(turn.get());
    }

private:
    void Append(const std::string& line) const {
        const KernelHandle file(CreateFileA(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return;
        DWORD written = 0;
        WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }

    std::string path_;
};

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
    std::vector<unsigned char> bytes;
    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < (1 << 24)) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
        bytes.resize(read);
    }
    return bytes;
}

class Standin final : public vfe::win32::BaseWindow<Standin> {
public:
    Standin(EventLog log, std::string flashPath) : log(std::move(log)), flashPath(std::move(flashPath)) {}

    EventLog log;
    std::string flashPath;
    std::string region;
    int frame = 0;
    int x = 10, y = 30, dx = 5, dy = 3;

    void ReadRegion() { region = vfe::standin::RegionText(ReadWholeFile(flashPath)); }

    void Step(const RECT& client) {
        ++frame;
        if (frame % kFlashRereadTicks == 0) ReadRegion();
        x += dx;
        y += dy;
        if (x < 0 || x + kBlock > client.right) dx = -dx, x += 2 * dx;
        if (y < 24 || y + kBlock > client.bottom) dy = -dy, y += 2 * dy;
    }

private:
    friend class vfe::win32::BaseWindow<Standin>;
    void OnFault() { log.Line("fault"); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    RECT ClientRect() const {
        RECT client{};
        GetClientRect(hwnd(), &client);
        return client;
    }

    void Paint(HDC dc, const RECT& client) const {
        // Drawn off screen first, so the animation does not flicker.
        const MemoryDC memory(CreateCompatibleDC(dc));
        const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (!memory || !bitmap) return;
        const SelectedObject selected(memory.get(), bitmap.get());

        const GdiObject<HBRUSH> background(CreateSolidBrush(RGB(16, 24, 64)));
        FillRect(memory.get(), &client, background.get());
        const GdiObject<HBRUSH> block(CreateSolidBrush(RGB((frame * 7) & 0xFF, 200, 255 - ((frame * 5) & 0xFF))));
        const RECT blockRect{x, y, x + kBlock, y + kBlock};
        FillRect(memory.get(), &blockRect, block.get());

        SetBkMode(memory.get(), TRANSPARENT);
        SetTextColor(memory.get(), RGB(255, 255, 255));
        const std::string status = "Frame " + std::to_string(frame) + "   Region: " + region;
        TextOutA(memory.get(), 4, 4, status.c_str(), static_cast<int>(status.size()));

        BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
};

const char* SizeKind(WPARAM kind) {
    switch (kind) {
        case SIZE_MINIMIZED: return "minimized";
        case SIZE_MAXIMIZED: return "maximized";
        case SIZE_RESTORED: return "restored";
        default: return nullptr;  // another window's change: not ours to log
    }
}

LRESULT Standin::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            Step(ClientRect());
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_PAINT: {
            const vfe::win32::PaintDC dc(hwnd());
            const RECT client = ClientRect();
            if (client.right > 0 && client.bottom > 0) Paint(dc.get(), client);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            if (const char* kind = SizeKind(wParam)) log.Line(std::string("size ") + kind);
            return 0;
        case WM_APP:
            // Tests post this behind other messages: the line says those were handled.
            log.Line("ping");
            return 0;
        case WM_CLOSE:
            log.Line("WM_CLOSE");
            DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd(), kAnimationTimer);
            PostQuitMessage(0);
            return 0;
        default: return DefaultProc(message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    const std::string exePath = vfe::win32::ModuleFileName();
    const std::string folder = vfe::FolderOf(exePath);
    const std::string exeName(vfe::standin::FileNameOf(exePath));
    Standin standin(EventLog(folder + "\\" + vfe::standin::LogNameForExe(exeName)), folder + "\\dc_flash.bin");
    standin.ReadRegion();
    standin.log.Line("started pid=" + std::to_string(GetCurrentProcessId()) + " show=" + std::to_string(showCommand) +
                     " cwd=" + CurrentDirectory());

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Standin::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = "VelmoranStandin";
    RegisterClassA(&windowClass);

    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    const std::string caption = vfe::standin::CaptionForExe(exeName);
    const HWND hwnd = CreateWindowA("VelmoranStandin", caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                    nullptr, instance, &standin);
    if (!hwnd) {
        standin.log.Line("exit");
        return 1;
    }
    SetTimer(hwnd, kAnimationTimer, kTickMs, nullptr);
    ShowWindow(hwnd, showCommand);  // the first show takes the starter's show code
    UpdateWindow(hwnd);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    standin.log.Line("exit");
    return 0;
}
