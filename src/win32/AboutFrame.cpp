#include "win32/AboutFrame.h"

#include "about/AboutLayout.h"
#include "win32/Pictures.h"
#include "win32/Resources.h"

namespace vfe::win32 {

namespace {

constexpr char kAboutClass[] = "VelmoranFE2About";
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// Form_Activate runs from the queue, once the window is up and painted.
constexpr UINT kActivateMessage = WM_APP + 1;

bool RegisterAboutClass(HINSTANCE instance) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kAboutClass, &existing)) return true;
    WNDCLASSEXA about{};
    about.cbSize = sizeof about;
    about.lpfnWndProc = &AboutFrame::WindowProc;
    about.hInstance = instance;
    about.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kAboutIconId));
    about.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kAboutIconId), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                  LR_SHARED));
    about.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    about.lpszClassName = kAboutClass;
    return RegisterClassExA(&about) != 0;
}

Bounds BoundsOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The work area of the screen the owner is on (the primary one's when it cannot be asked).
RECT WorkAreaOf(HWND owner) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor)) return monitor.rcWork;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The outer rectangle that gives `client` pixels of client area, centred over the owner
// (the work area when it is minimized or gone) and inside the work area.
RECT CentredOver(HWND owner, Size client) {
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, kAboutStyle, FALSE, 0);
    const RECT workArea = WorkAreaOf(owner);
    RECT over{};
    if (!owner || !GetWindowRect(owner, &over) || IsIconic(owner)) over = workArea;
    const Bounds place = CentredInside({outer.right - outer.left, outer.bottom - outer.top}, BoundsOf(over),
                                       BoundsOf(workArea));
    return {place.left, place.top, place.left + place.width, place.top + place.height};
}

}  // namespace

AboutFrame::AboutFrame(HINSTANCE instance, HWND owner, FaultReport& faults, Size twipsPerPixel,
                       const char* richEditClass, std::string appDir)
    : instance_(instance),
      owner_(owner),
      faults_(faults),
      twipsPerPixel_(twipsPerPixel),
      richEditClass_(richEditClass),
      form_(*this, messages_, files_, std::move(appDir)) {}

AboutFrame::~AboutFrame() { Unload(); }

bool AboutFrame::Create() {
    if (!RegisterAboutClass(instance_)) return false;
    banner_ = ToBitmap(DrawArtwork(Artwork::AboutBanner));
    shape1Brush_.reset(CreateSolidBrush(static_cast<COLORREF>(kShape1Colour)));
    const RECT place = CentredOver(owner_, TwipsToPixels(kAboutClientTwips, twipsPerPixel_));
    if (!CreateWindowExA(0, kAboutClass, kAboutCaption, kAboutStyle, place.left, place.top, place.right - place.left,
                         place.bottom - place.top, owner_, nullptr, instance_, this))
        return false;
    messages_.SetOwner(hwnd());
    rtbAbout_.Attach(CreateRichEdit());
    return true;
}

HWND AboutFrame::CreateRichEdit() {
    if (!richEditClass_) return nullptr;
    const Bounds place = TwipsToPixels(krtbAboutTwips, twipsPerPixel_);
    HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, richEditClass_, "",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                   ES_READONLY,
                               place.left, place.top, place.width, place.height, hwnd(), nullptr, instance_, nullptr);
    if (box) SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return box;
}

void AboutFrame::RunModal() {
    EnableWindow(owner_, FALSE);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    // Form_Activate even when the system gives the activation to no window of ours.
    PostMessageA(hwnd(), kActivateMessage, 0, 0);
    MSG message;
    while (hwnd()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the quit request for the main loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Unload();
}

void AboutFrame::Unload() {
    // The owner first, so that the system hands it the activation when this window goes.
    if (owner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
    if (hwnd()) DestroyWindow(hwnd());
}

void AboutFrame::Paint() {
    PaintDC dc(hwnd());
    RECT client;
    GetClientRect(hwnd(), &client);
    FillRect(dc.get(), &client, shape1Brush_.get());
    const Bounds image = TwipsToPixels(kImage1Twips, twipsPerPixel_);
    DrawBitmap(dc.get(), banner_.get(), image.left, image.top, image.width, image.height);
}

LRESULT AboutFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(hwnd(), kActivateMessage, 0, 0);
            break;
        case kActivateMessage:
            UpdateWindow(hwnd());
            form_.Form_Activate();
            return 0;
        case WM_SETFOCUS:
            // The keyboard scrolls the readme.
            if (rtbAbout_.hwnd()) SetFocus(rtbAbout_.hwnd());
            return 0;
        case WM_CLOSE: Unload(); return 0;
        default: break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace vfe::win32
