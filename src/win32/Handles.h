#pragma once
#include <windows.h>

#include <utility>

namespace vfe::win32 {

// One owner for one handle; the closer runs exactly once.
template <typename T, typename Closer>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, T{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, T{}));
        return *this;
    }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != T{}; }
    void reset(T handle = T{}) {
        if (handle_ != T{}) Closer{}(handle_);
        handle_ = handle;
    }

private:
    T handle_{};
};

struct KernelCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct GdiCloser {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDcCloser {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct RegistryKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct ModuleCloser {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// A kernel object. Some functions fail with null, others (CreateFile, snapshots) with
// INVALID_HANDLE_VALUE: both are kept as no handle, so `if (!handle)` means failure for all.
class KernelHandle : public UniqueHandle<HANDLE, KernelCloser> {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : UniqueHandle(Owned(handle)) {}
    void reset(HANDLE handle = nullptr) { UniqueHandle::reset(Owned(handle)); }

private:
    static HANDLE Owned(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }
};
template <typename T>
using GdiObject = UniqueHandle<T, GdiCloser>;
using MemoryDC = UniqueHandle<HDC, MemoryDcCloser>;
using RegistryKey = UniqueHandle<HKEY, RegistryKeyCloser>;
using LoadedModule = UniqueHandle<HMODULE, ModuleCloser>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The painting of one WM_PAINT: BeginPaint now, EndPaint at the end of the scope.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace vfe::win32
