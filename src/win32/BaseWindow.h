#pragma once
#include <windows.h>

#include "win32/Guarded.h"

namespace vfe::win32 {

// The one way our windows reach their C++ object: the object is the creation parameter,
// kept with the window from WM_NCCREATE until WM_NCDESTROY, when both let go of each
// other. `Derived` answers messages in `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`;
// what it does not handle goes to DefaultProc. Nothing a handler throws leaves the
// procedure: the message then gets the system's default handling, and `Derived` is told
// in `OnFault()`, which each window must have: no failure is passed over.
template <typename Derived>
class BaseWindow {
public:
    HWND hwnd() const { return hwnd_; }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            if (self) self->hwnd_ = hwnd;
        }
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self || self->hwnd_ != hwnd) return DefWindowProcA(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            Guarded([&] { self->OnGone(); });
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
        LRESULT result = 0;
        if (Guarded([&] { result = self->HandleMessage(message, wParam, lParam); })) return result;
        Guarded([&] { self->OnFault(); });
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

protected:
    BaseWindow() = default;
    ~BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
    // After the window has gone (hwnd() is null again); for what the object keeps of it.
    void OnGone() {}

private:
    HWND hwnd_ = nullptr;
};

}  // namespace vfe::win32
