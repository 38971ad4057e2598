// The floor of the start-up benchmark: the front-end's window with its menu bar and its
// controls, made from the same layout tables, with the same window classes, styles and
// fonts and the same manifest (common controls 6), and nothing else: no picture, no
// settings, no files, no tooltips, no libraries loaded for later. What the front-end
// takes beyond this is its own work.
#include <windows.h>
#include <commctrl.h>

#include "PeerWindow.h"

#include <map>
#include <string>

#include "shell/FormLayout.h"
#include "shell/MenuTree.h"

namespace {

using vfe::ControlKind;

HMENU MenuBar() {
    HMENU bar = CreateMenu();
    std::map<vfe::MenuItem, HMENU> popups;
    const auto tree = vfe::MainMenuTree();
    for (const auto& entry : tree) {
        HMENU into = entry.parent ? popups.at(*entry.parent) : bar;
        bool hasItems = false;
        for (const auto& other : tree) hasItems = hasItems || other.parent == entry.id;
        const std::string caption(entry.caption);
        if (entry.separator) {
            AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
        } else if (hasItems) {
            popups[entry.id] = CreatePopupMenu();
            AppendMenuA(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popups[entry.id]), caption.c_str());
        } else {
            AppendMenuA(into, MF_STRING | (entry.checked ? MF_CHECKED : 0), 100 + static_cast<int>(entry.id),
                        caption.c_str());
        }
    }
    return bar;
}

const char* ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PictureBox:
        case ControlKind::Frame: return "FloorPanel";
        case ControlKind::Button:
        case ControlKind::CheckBox: return "BUTTON";
        case ControlKind::TextBox: return "EDIT";
        case ControlKind::ListBox: return "LISTBOX";
        case ControlKind::Label: return nullptr;
    }
    return nullptr;
}

DWORD StyleOf(const vfe::ControlLayout& entry) {
    const DWORD style = WS_CHILD | (entry.visible ? WS_VISIBLE : 0);
    switch (entry.kind) {
        case ControlKind::Button: return style | WS_TABSTOP | BS_PUSHBUTTON;
        case ControlKind::CheckBox: return style | WS_TABSTOP | BS_AUTOCHECKBOX;
        case ControlKind::TextBox: return style | WS_TABSTOP | ES_AUTOHSCROLL;
        case ControlKind::ListBox: return style | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        case ControlKind::Frame: return style | WS_CLIPCHILDREN;
        default: return style;
    }
}

DWORD ExStyleOf(ControlKind kind) {
    return kind == ControlKind::PictureBox || kind == ControlKind::TextBox || kind == ControlKind::ListBox
               ? WS_EX_CLIENTEDGE
               : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCode) {
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    RegisterPeerClass(instance, "FloorWindowBench", QuitWithWindow, COLOR_GRAYTEXT);
    RegisterPeerClass(instance, "FloorPanel", DefWindowProcA, COLOR_BTNFACE);

    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT outer{0, 0, vfe::kMainWindowClientSize.width, vfe::kMainWindowClientSize.height};
    AdjustWindowRectEx(&outer, kStyle, TRUE, 0);
    HWND window = CreateWindowA("FloorWindowBench", "Floor Window Bench", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr, MenuBar(), instance, nullptr);
    std::map<vfe::Control, HWND> made;
    std::map<std::string, HFONT> fonts;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    for (const auto& entry : vfe::MainWindowLayout()) {
        const char* className = ClassOf(entry.kind);
        if (!className) continue;
        HWND parent = entry.container ? made[*entry.container] : window;
        const std::string caption(entry.caption);
        HWND control = CreateWindowExA(ExStyleOf(entry.kind), className, caption.c_str(), StyleOf(entry), entry.left,
                                       entry.top, entry.width, entry.height, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + static_cast<int>(entry.id))),
                                       instance, nullptr);
        made[entry.id] = control;
        const std::string key = std::string(entry.font.face) + std::to_string(entry.font.points) +
                                (entry.font.bold ? "b" : "") + (entry.font.italic ? "i" : "");
        HFONT& font = fonts[key];
        if (!font)
            font = CreateFontA(-static_cast<int>(entry.font.points * dpi / 72.0 + 0.5), 0, 0, 0,
                               entry.font.bold ? FW_BOLD : FW_NORMAL, entry.font.italic, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                               std::string(entry.font.face).c_str());
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    const int exitCode = ShowAndRun(window, showCode);
    for (auto& [key, font] : fonts) DeleteObject(font);
    return exitCode;
}
