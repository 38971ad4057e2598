// The main window's procedures: each message becomes a call of the behaviour's handler
// named for it. Nothing thrown by a handler leaves a procedure.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "shell/frmVelmoranLoad.h"
#include "win32/MainWindow.h"

namespace vfe::win32 {

namespace {

MainWindow* OwnerOf(HWND hwnd) { return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

std::int16_t ShiftState() {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

// The event a control's notification stands for; nothing for the notifications no
// handler answers.
std::optional<ControlEvent> EventOf(ControlKind kind, int notification) {
    switch (kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
            if (notification == BN_CLICKED) return ControlEvent::Click;
            break;
        case ControlKind::TextBox:
            if (notification == EN_KILLFOCUS) return ControlEvent::LostFocus;
            break;
        case ControlKind::ListBox:
            if (notification == LBN_SELCHANGE) return ControlEvent::SelectionChange;
            break;
        default: break;
    }
    return std::nullopt;
}

}  // namespace

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A command or a close another program sends while an operation lets the window answer
    // waits for the operation's end, as the person's own clicks and keys do.
    if (answeringOnly_ && (message == WM_COMMAND || message == WM_CLOSE)) {
        PostMessageA(hwnd(), message, wParam, lParam);
        return 0;
    }
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            if (form_) form_->Form_Resize();
            return 0;
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case kEndRecordingMessage:
            if (form_) form_->Form_EndRecordingPosted();
            return 0;
        case kShownMessage:
            if (form_) form_->Form_Shown();
            return 0;
        case WM_TIMER:
            if (wParam == kFrameTimerId && form_) form_->Timer_Timer();
            return 0;
        case WM_SETCURSOR:
            if (busy_) {
                SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            if (form_) form_->Form_QueryUnload();
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: break;
    }
    return DefaultProc(message, wParam, lParam);
}

bool MainWindow::TranslateDialogKeys(MSG& message) {
    if (!hwnd()) return false;
    // The dialog manager gives Alt with a character to the first control whose access key it
    // is, even one off-screen or without an action, and the menu bar never sees it. So it gets
    // the key only when a control is to act on it.
    const bool ours = message.hwnd == hwnd() || IsChild(hwnd(), message.hwnd);
    if (message.message == WM_SYSCHAR && ours &&
        RouteAltKey(static_cast<char>(message.wParam), [this](Control control) { return CanBeSeen(control); }) !=
            AltKeyTarget::Control)
        return false;
    return IsDialogMessageA(hwnd(), &message) != FALSE;
}

bool MainWindow::CanBeSeen(Control control) const {
    const HWND window = ControlWindow(control);
    if (!window || !IsWindowVisible(window) || IsIconic(hwnd())) return false;
    RECT seen{};
    GetWindowRect(window, &seen);
    for (HWND container = GetParent(window); container; container = GetParent(container)) {
        RECT client{};
        GetClientRect(container, &client);
        MapWindowPoints(container, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (!IntersectRect(&seen, &seen, &client)) return false;
        if (container == hwnd()) break;
    }
    return true;
}

void MainWindow::OnCommand(int id, int notification) {
    if (!form_) return;
    if (id >= kMenuIdBase && id < kControlIdBase) {
        form_->OnMenu(static_cast<MenuItem>(id - kMenuIdBase));
        return;
    }
    // Only the ids we gave our controls name one: dialog navigation also sends IDOK and
    // IDCANCEL (Enter, Escape), which mean nothing in this window.
    const int index = id - kControlIdBase;
    if (index < 0 || static_cast<size_t>(index) >= controls_.size() || !controls_[static_cast<size_t>(index)]) return;
    const auto control = static_cast<Control>(index);
    if (const auto event = EventOf(LayoutOf(control).kind, notification)) form_->OnControl(control, *event);
    // A text box left with its caret at the end would show only the end of its text ("200"
    // as "00"): it shows the start, as its handler may have left it.
    if (LayoutOf(control).kind == ControlKind::TextBox && notification == EN_KILLFOCUS) {
        SendMessageA(controls_[static_cast<size_t>(index)], EM_SETSEL, 0, 0);
        SendMessageA(controls_[static_cast<size_t>(index)], EM_SCROLLCARET, 0, 0);
    }
}

LRESULT CALLBACK MainWindow::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Controls inside the frame report to the main window, as if they were its own.
            return SendMessageA(GetParent(hwnd), message, wParam, lParam);
        case WM_PAINT:
            if (MainWindow* window = OwnerOf(hwnd)) {
                if (Guarded([&] { window->PaintFrame(hwnd); })) return 0;
                window->ReportFault();
            }
            break;
        default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclass,
                                      DWORD_PTR owner) {
    auto* window = reinterpret_cast<MainWindow*>(owner);
    if (message == WM_KEYDOWN && window && window->form_) {
        const auto key = static_cast<std::int16_t>(wParam);
        if (!Guarded([&] { window->form_->lst_KeyDown(key, ShiftState()); })) window->ReportFault();
    }
    // The subclass goes with the list, before its window does.
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &MainWindow::ListProc, subclass);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace vfe::win32
