// The window procedures: each message becomes a call of the handler named for it.
// Nothing thrown by a handler leaves a procedure.
#include <windows.h>
#include <commctrl.h>

#include "shell/frmVelmoranLoad.h"
#include "win32/MainWindow.h"

namespace vfe::win32 {

namespace {

MainWindow* OwnerOf(HWND hwnd) { return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

template <typename Handler>
void Guarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        // A failed handler leaves the window as it is; the program goes on.
    }
}

std::int16_t ShiftState() {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

}  // namespace

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<MainWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    MainWindow* window = OwnerOf(hwnd);
    if (!window || window->hwnd_ != hwnd) return DefWindowProcA(hwnd, message, wParam, lParam);
    return window->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            if (loaded_ && form_) Guarded([&] { form_->Form_Resize(); });
            return 0;
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_TIMER:
            if (wParam == kFrameTimerId && form_) Guarded([&] { form_->Timer_Timer(); });
            return 0;
        case WM_SETCURSOR:
            if (busy_) {
                SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
                return TRUE;
            }
            break;
        case WM_CLOSE:
            if (form_) Guarded([&] { form_->Form_QueryUnload(); });
            return 0;
        case WM_DESTROY:
            if (hwnd_) PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int notification) {
    if (!form_) return;
    if (id >= kMenuIdBase && id < kControlIdBase) {
        const auto item = static_cast<MenuItem>(id - kMenuIdBase);
        Guarded([&] { form_->OnMenu(item); });
        return;
    }
    const auto control = static_cast<Control>(id - kControlIdBase);
    Guarded([&] {
        switch (control) {
            case Control::cmdZoomIn:
                if (notification == BN_CLICKED) form_->cmdZoomIn_Click();
                break;
            case Control::cmdZoomOut:
                if (notification == BN_CLICKED) form_->cmdZoomOut_Click();
                break;
            case Control::cmdSnapshot:
                if (notification == BN_CLICKED) form_->cmdSnapshot_Click();
                break;
            case Control::cmd:
                if (notification == BN_CLICKED) form_->cmd_Click();
                break;
            case Control::Check2:
                if (notification == BN_CLICKED) form_->Check2_Click();
                break;
            case Control::Text1:
                if (notification == EN_KILLFOCUS) form_->Text1_LostFocus();
                break;
            case Control::lst:
                if (notification == LBN_SELCHANGE) form_->lst_Click();
                break;
            default: break;  // Check1 and cmdRecord carry no action
        }
    });
}

LRESULT CALLBACK MainWindow::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow* window = OwnerOf(hwnd);
    switch (message) {
        case WM_COMMAND:
            // Controls inside the frame report to the main window, as if they were its own.
            return SendMessageA(GetParent(hwnd), message, wParam, lParam);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            RECT edge = client;
            edge.top += 7;
            DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
            if (window) {
                const ControlSpec& frame = SpecOf(Control::fra);
                SelectedObject font(dc, window->FontFor(frame.font));
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
                std::string caption(" ");
                caption.append(frame.caption).append(" ");
                TextOutA(dc, 6, 0, caption.c_str(), static_cast<int>(caption.size()));
                window->PaintLabels(dc, Control::fra);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR owner) {
    auto* window = reinterpret_cast<MainWindow*>(owner);
    if (message == WM_KEYDOWN && window && window->form_) {
        const auto key = static_cast<std::int16_t>(wParam);
        Guarded([&] { window->form_->lst_KeyDown(key, ShiftState()); });
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace vfe::win32
