#include "win32/MainWindow.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/ScopeExit.h"
#include "platform/Twips.h"
#include "shell/MenuTree.h"
#include "shell/frmVelmoranLoad.h"
#include "win32/Pictures.h"
#include "win32/Resources.h"

namespace vfe::win32 {

namespace {

constexpr char kMainClass[] = "VelmoranFE2Main";
constexpr char kFrameClass[] = "VelmoranFE2Frame";
constexpr char kPictureClass[] = "VelmoranFE2Picture";
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT_PTR kListSubclassId = 1;
constexpr double kPointsPerInch = 72.0;
constexpr int kDotsPerInchAssumed = 96;  // when the screen cannot be asked
// The frame's caption stands at this left edge, across its etched border at this height.
constexpr int kFrameCaptionLeft = 6;
constexpr int kFrameCaptionMiddle = 7;

size_t Index(Control control) { return static_cast<size_t>(control); }
int CommandId(MenuItem item) { return kMenuIdBase + static_cast<int>(item); }
int CommandId(Control control) { return kControlIdBase + static_cast<int>(control); }

COLORREF AsColorRef(std::uint32_t rgb) { return static_cast<COLORREF>(rgb); }

// The preview picture: a sunken box that paints the bitmap it was handed, if any, and
// the face colour where the bitmap leaves room (not under it, which would flicker). A
// failure is told to the main window, its parent.
LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    const bool painted = Guarded([&] {
        PaintDC dc(hwnd);
        RECT client;
        GetClientRect(hwnd, &client);
        const auto picture = static_cast<HBITMAP>(GetPropA(hwnd, kPictureProperty));
        BITMAP size{};
        if (picture && GetObjectA(picture, sizeof size, &size)) {
            DrawBitmap(dc.get(), picture, 0, 0);
            ExcludeClipRect(dc.get(), 0, 0, size.bmWidth, size.bmHeight);
        }
        FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    });
    if (painted) return 0;
    if (auto* owner = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(GetParent(hwnd), GWLP_USERDATA)))
        owner->ReportFault();
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXA main{};
    main.cbSize = sizeof main;
    main.lpfnWndProc = &MainWindow::WindowProc;
    main.hInstance = instance;
    main.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconId));
    main.hIconSm = main.hIcon;
    main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    main.lpszClassName = kMainClass;

    WNDCLASSEXA picture{};
    picture.cbSize = sizeof picture;
    picture.lpfnWndProc = &PictureProc;
    picture.hInstance = instance;
    picture.hCursor = main.hCursor;
    picture.lpszClassName = kPictureClass;

    WNDCLASSEXA frame = picture;
    frame.lpfnWndProc = &MainWindow::FrameProc;
    frame.lpszClassName = kFrameClass;

    return RegisterClassExA(&main) && RegisterClassExA(&picture) && RegisterClassExA(&frame);
}

const char* WindowClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PictureBox: return kPictureClass;
        case ControlKind::Button:
        case ControlKind::CheckBox: return "BUTTON";
        case ControlKind::TextBox: return "EDIT";
        case ControlKind::Frame: return kFrameClass;
        case ControlKind::ListBox: return "LISTBOX";
        case ControlKind::Label: return nullptr;
    }
    return nullptr;
}

// Every control is clipped by the siblings above it: the preview lies under the capture
// panel's controls and must not paint over them.
DWORD StyleOf(const ControlLayout& entry) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (entry.visible ? WS_VISIBLE : 0);
    switch (entry.kind) {
        case ControlKind::PictureBox: return style | WS_TABSTOP;
        case ControlKind::Button: return style | WS_TABSTOP | BS_PUSHBUTTON;
        case ControlKind::CheckBox: return style | WS_TABSTOP | BS_AUTOCHECKBOX;
        case ControlKind::TextBox: return style | WS_TABSTOP | ES_AUTOHSCROLL;
        case ControlKind::Frame: return style | WS_CLIPCHILDREN;
        case ControlKind::ListBox: return style | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        case ControlKind::Label: return style;
    }
    return style;
}

DWORD ExStyleOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PictureBox:
        case ControlKind::TextBox:
        case ControlKind::ListBox: return WS_EX_CLIENTEDGE;
        case ControlKind::Frame: return WS_EX_CONTROLPARENT;  // Tab goes into it and out again
        default: return 0;
    }
}

std::string FontKey(const FontDescription& entry) {
    return std::string(entry.face) + "|" + std::to_string(entry.points) + "|" + (entry.bold ? "b" : "") +
           (entry.italic ? "i" : "");
}

}  // namespace

MainWindow::~MainWindow() {
    form_ = nullptr;
    if (!hwnd()) return;
    // Nothing of the window may reach this object once it has gone: the list's subclass
    // and the frame's pointer to us go first.
    if (const HWND list = controls_[Index(Control::lst)]) RemoveWindowSubclass(list, &MainWindow::ListProc, kListSubclassId);
    if (const HWND frame = controls_[Index(Control::fra)]) SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
    DestroyWindow(hwnd());
}

bool MainWindow::Create() {
    if (!RegisterClasses(instance_)) return false;
    background_ = ToBitmap(DrawArtwork(Artwork::MainBackground));
    backBrush_.reset(CreateSolidBrush(AsColorRef(kMainWindowBackColour)));

    // The menu bar comes with the window, so the client area has its laid-out size from the first moment.
    HMENU menuBar = CreateMenuBar();
    RECT outer{0, 0, kMainWindowClientSize.width, kMainWindowClientSize.height};
    AdjustWindowRectEx(&outer, kMainStyle, TRUE, 0);
    if (!CreateWindowExA(0, kMainClass, std::string(kMainWindowCaption).c_str(), kMainStyle, CW_USEDEFAULT,
                         CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr, menuBar,
                         instance_, this)) {
        DestroyMenu(menuBar);
        return false;
    }
    return CreateControls(false);
}

void MainWindow::Show(int showCommand) {
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
}

HMENU MainWindow::CreateMenuBar() {
    HMENU bar = CreateMenu();
    std::map<MenuItem, HMENU> popups;
    const auto tree = MainMenuTree();
    auto hasItems = [&](MenuItem id) {
        for (const auto& entry : tree)
            if (entry.parent == id) return true;
        return false;
    };
    for (const auto& entry : tree) {
        HMENU into = entry.parent ? popups.at(*entry.parent) : bar;
        const std::string caption(entry.caption);
        if (entry.separator) {
            AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
        } else if (hasItems(entry.id)) {
            HMENU popup = CreatePopupMenu();
            popups[entry.id] = popup;
            AppendMenuA(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
        } else {
            AppendMenuA(into, MF_STRING | (entry.checked ? MF_CHECKED : 0), CommandId(entry.id), caption.c_str());
        }
    }
    return bar;
}

HFONT MainWindow::FontFor(const FontDescription& entry) {
    auto& font = fonts_[FontKey(entry)];
    if (!font) {
        WindowDC screen(nullptr);
        const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kDotsPerInchAssumed;
        const int height = -static_cast<int>(entry.points * dpi / kPointsPerInch + 0.5);
        font.reset(CreateFontA(height, 0, 0, 0, entry.bold ? FW_BOLD : FW_NORMAL, entry.italic, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, std::string(entry.face).c_str()));
    }
    return font.get();
}

bool MainWindow::CreateControls(bool afterShow) {
    for (const auto& entry : MainWindowLayout()) {
        const char* windowClass = WindowClassOf(entry.kind);
        if (!windowClass) continue;  // labels are painted by their container
        if (MadeAfterFirstShow(entry) != afterShow) continue;
        HWND parent = entry.container ? controls_[Index(*entry.container)] : hwnd();
        HWND control = CreateWindowExA(ExStyleOf(entry.kind), windowClass, std::string(entry.caption).c_str(),
                                       StyleOf(entry), entry.left, entry.top, entry.width, entry.height, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(CommandId(entry.id))), instance_,
                                       nullptr);
        if (!control) return false;
        // The frame paints its labels through us.
        if (entry.kind == ControlKind::Frame) SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(entry.font)), FALSE);
        controls_[Index(entry.id)] = control;
    }
    // The list, the tab order and the tool tips come with the last of them.
    if (!afterShow) return true;
    if (!SetWindowSubclass(controls_[Index(Control::lst)], &MainWindow::ListProc, kListSubclassId,
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;

    // Tab order, and so the order from top to bottom among siblings, follows the layout's tab
    // indices, lowest first, within each container: a window is placed after its siblings only.
    std::vector<const ControlLayout*> byTab;
    for (const auto& entry : MainWindowLayout())
        if (controls_[Index(entry.id)]) byTab.push_back(&entry);
    std::stable_sort(byTab.begin(), byTab.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    std::map<std::optional<Control>, HWND> lastOf;  // per container, the control placed last
    for (const auto* entry : byTab) {
        HWND control = controls_[Index(entry->id)];
        HWND& last = lastOf.try_emplace(entry->container, HWND_TOP).first->second;
        if (!SetWindowPos(control, last, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) return false;
        last = control;
    }

    toolTip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, instance_, nullptr);
    for (const auto& entry : MainWindowLayout()) {
        if (entry.toolTip.empty() || !controls_[Index(entry.id)] || !toolTip_) continue;
        std::string text(entry.toolTip);
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(controls_[Index(entry.id)]);
        tool.lpszText = text.data();
        SendMessageA(toolTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

void MainWindow::PaintLabels(HDC dc, std::optional<Control> container) {
    SetBkMode(dc, TRANSPARENT);
    for (const auto& entry : MainWindowLayout()) {
        if (entry.kind != ControlKind::Label || entry.container != container || !entry.visible) continue;
        SelectedObject font(dc, FontFor(entry.font));
        SetTextColor(dc, AsColorRef(entry.textColour));
        RECT area{entry.left, entry.top, entry.left + entry.width, entry.top + entry.height};
        const std::string text(entry.caption);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
    }
}

void MainWindow::Paint() {
    PaintDC dc(hwnd());
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(dc.get(), &client, backBrush_.get());
    DrawBitmap(dc.get(), background_.get(), 0, 0);
    PaintLabels(dc.get(), std::nullopt);
}

void MainWindow::PaintFrame(HWND frame) {
    PaintDC dc(frame);
    RECT client;
    GetClientRect(frame, &client);
    FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = client;
    edge.top += kFrameCaptionMiddle;
    DrawEdge(dc.get(), &edge, EDGE_ETCHED, BF_RECT);
    const ControlLayout& layout = LayoutOf(Control::fra);
    SelectedObject font(dc.get(), FontFor(layout.font));
    SetBkColor(dc.get(), GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
    std::string caption(" ");
    caption.append(layout.caption).append(" ");
    TextOutA(dc.get(), kFrameCaptionLeft, 0, caption.c_str(), static_cast<int>(caption.size()));
    PaintLabels(dc.get(), Control::fra);
}

// --- MainWindowControls -------------------------------------------------------

void MainWindow::SetCaption(const std::string& caption) { SetWindowTextA(hwnd(), caption.c_str()); }

std::string MainWindow::Caption() const {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd())) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void MainWindow::SetMenuChecked(MenuItem item, bool checked) {
    CheckMenuItem(GetMenu(hwnd()), static_cast<UINT>(CommandId(item)), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MainWindow::IsMenuChecked(MenuItem item) const {
    const UINT state = GetMenuState(GetMenu(hwnd()), static_cast<UINT>(CommandId(item)), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

bool MainWindow::IsMinimized() const { return IsIconic(hwnd()); }

Size MainWindow::OuterSize() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

void MainWindow::SetOuterSize(Size size) {
    SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Set while a resize is handled, the size leaves unpainted where the menu bar had wrapped
    // onto a second line: all of it is painted anew.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

Size MainWindow::TwipsPerPixel() const {
    WindowDC screen(nullptr);
    const int dpiX = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    const int dpiY = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return {TwipsPerPixelFor(dpiX), TwipsPerPixelFor(dpiY)};
}

Size MainWindow::ScreenSize() const { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void MainWindow::SetControlSize(Control control, Size size) {
    SetWindowPos(controls_[Index(control)], nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Size MainWindow::ControlSize(Control control) const {
    RECT r{};
    GetWindowRect(controls_[Index(control)], &r);
    return {r.right - r.left, r.bottom - r.top};
}

void MainWindow::SetControlVisible(Control control, bool visible) {
    ShowWindow(controls_[Index(control)], visible ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::SetControlEnabled(Control control, bool enabled) { EnableWindow(controls_[Index(control)], enabled); }

std::string MainWindow::ControlText(Control control) const {
    HWND window = controls_[Index(control)];
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

int MainWindow::CheckValue(Control control) const {
    return SendMessageA(controls_[Index(control)], BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void MainWindow::SetCheckValue(Control control, int value) {
    SendMessageA(controls_[Index(control)], BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool MainWindow::ListAdd(const std::string& entry) {
    const LRESULT added =
        SendMessageA(controls_[Index(Control::lst)], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    return added != LB_ERR && added != LB_ERRSPACE;
}

void MainWindow::ListRemove(int index) { SendMessageA(controls_[Index(Control::lst)], LB_DELETESTRING, index, 0); }

void MainWindow::ListClear() { SendMessageA(controls_[Index(Control::lst)], LB_RESETCONTENT, 0, 0); }

int MainWindow::ListCount() const {
    const LRESULT count = SendMessageA(controls_[Index(Control::lst)], LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string MainWindow::ListItem(int index) const {
    HWND list = controls_[Index(Control::lst)];
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

int MainWindow::ListIndex() const {
    const LRESULT index = SendMessageA(controls_[Index(Control::lst)], LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void MainWindow::SetListIndex(int index) { SendMessageA(controls_[Index(Control::lst)], LB_SETCURSEL, index, 0); }

bool MainWindow::SetTimerInterval(unsigned milliseconds) {
    if (milliseconds == 0) {
        KillTimer(hwnd(), kFrameTimerId);  // false only when no timer ran: stopped either way
        return true;
    }
    return SetTimer(hwnd(), kFrameTimerId, milliseconds, nullptr) != 0;
}

void MainWindow::HoldListRedraw(bool held) {
    HWND list = controls_[Index(Control::lst)];
    SendMessageA(list, WM_SETREDRAW, held ? FALSE : TRUE, 0);
    if (!held) RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void MainWindow::Minimize() { ShowWindow(hwnd(), SW_MINIMIZE); }

void MainWindow::SetTopmost() { SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

void MainWindow::SetBusyCursor(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void MainWindow::TakePaintAndSentMessages() {
    answeringOnly_ = true;
    const ScopeExit answered([&] { answeringOnly_ = false; });
    // Peeking answers what other threads send; each paint validates its window, and the bound
    // keeps a window that never does from holding the operation here.
    MSG message;
    for (int paints = 0; paints < 64 && PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++paints)
        DispatchMessageA(&message);
}

void MainWindow::ReportFault() noexcept {
    if (form_ && Guarded([&] { form_->Form_Fault(); })) return;
    // No behaviour to tell, or telling failed too: the system's own box, once.
    if (faultBoxShown_) return;
    faultBoxShown_ = true;
    MessageBoxA(hwnd(), kHandlerFaultText.c_str(), kApplicationTitle.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool MainWindow::PostEndRecording() { return PostMessageA(hwnd(), kEndRecordingMessage, 0, 0) != FALSE; }

void MainWindow::EndProgram() {
    // Ends at once: no handler of ours runs after this, outside programs are left alone.
    form_ = nullptr;
    KillTimer(hwnd(), kFrameTimerId);
    DestroyWindow(hwnd());
}

}  // namespace vfe::win32
