// What a person at the test's X display does and sees: real key presses (xdotool, through
// the X server and Wine's keyboard driver, as a keyboard's would go) and the screen's pixels
// (ffmpeg's x11grab, the picture the display shows, whichever program drew it).
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/E2E.h"

namespace e2e {

bool Focus(HWND window) {
    const HWND top = GetAncestor(window, GA_ROOT);
    // There is no window manager: the window is made the foreground window from the Windows
    // side, and its X window gets the X server's input focus, where key presses go. Wine
    // moves the X focus itself only when the foreground changes, so the X side is asked too.
    const auto xWindow = std::to_string(reinterpret_cast<std::uintptr_t>(GetPropA(top, "__wine_x11_whole_window")));
    if (xWindow == "0") return false;
    const std::string focusHere = "[ \"$(xdotool getwindowfocus)\" = " + xWindow + " ] || { xdotool windowfocus " +
                                  xWindow + "; [ \"$(xdotool getwindowfocus)\" = " + xWindow + " ]; }";
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetForegroundWindow(top);
        if (WaitUntil([&] { return GetForegroundWindow() == top; }, Milliseconds(2000)) && Answers(top) &&
            RunUnixQuietly(focusHere, kTimeout) == 0 && Answers(top))
            return true;
    }
    return false;
}

bool PressKeys(std::string_view keys) {
    return RunUnix("xdotool key --delay 20 " + std::string(keys)).has_value();
}

bool PressKeysIn(HWND window, std::string_view keys) { return Focus(window) && PressKeys(keys); }

// ---- The screen --------------------------------------------------------------------

Colour ScreenImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return {static_cast<std::uint8_t>(rgb[at]), static_cast<std::uint8_t>(rgb[at + 1]),
            static_cast<std::uint8_t>(rgb[at + 2])};
}

double ScreenImage::Share(const RECT& area, const std::function<bool(Colour)>& matches) const {
    int all = 0, matching = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x, ++all) matching += matches(At(x, y)) ? 1 : 0;
    return all ? static_cast<double>(matching) / all : 0.0;
}

bool Near(Colour colour, COLORREF expected, int tolerance) {
    return std::abs(colour.r - GetRValue(expected)) <= tolerance && std::abs(colour.g - GetGValue(expected)) <= tolerance &&
           std::abs(colour.b - GetBValue(expected)) <= tolerance;
}

namespace {

std::string ScreenGrab(const std::string& output, const std::string& format, const std::string& input = "") {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    return "ffmpeg -loglevel error -y -f x11grab " + input + " -video_size " + std::to_string(width) + "x" +
           std::to_string(height) + " -i \"$DISPLAY\" -frames:v 1 " + format + " " + ShellQuoted(output);
}

}  // namespace

std::optional<ScreenImage> GrabScreen() {
    const auto file = UnixScratchFolder() / "screen.rgb";
    // Without the pointer: it stands wherever the last test left it.
    if (!RunUnix(ScreenGrab(UnixPath(file), "-f rawvideo -pix_fmt rgb24", "-draw_mouse 0"))) return std::nullopt;
    ScreenImage image;
    image.width = GetSystemMetrics(SM_CXSCREEN);
    image.height = GetSystemMetrics(SM_CYSCREEN);
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    image.rgb = content.str();
    std::error_code error;
    std::filesystem::remove(file, error);
    if (image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        ADD_FAILURE() << "the screen grab holds " << image.rgb.size() << " bytes";
        return std::nullopt;
    }
    return image;
}

bool SaveScreenshot(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return RunUnixQuietly(ScreenGrab(UnixPath(file), ""), kTimeout) == 0;
}

RECT ScreenRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace e2e
