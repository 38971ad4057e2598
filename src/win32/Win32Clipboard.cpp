#include "win32/Win32Clipboard.h"

#include <cstring>

namespace vfe::win32 {

namespace {

// The clipboard, open for one scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// A global memory block, locked for one scope.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(memory_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    const void* data() const { return data_; }
    std::size_t size() const { return data_ ? GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

void Win32Clipboard::Empty() {
    OpenedClipboard clipboard(owner_);
    if (clipboard) EmptyClipboard();
}

void Win32Clipboard::PressPrintScreen() { keybd_event(VK_SNAPSHOT, 1, 0, 0); }

std::optional<std::vector<std::uint8_t>> Win32Clipboard::PackedPicture() {
    // A bitmap put there as CF_BITMAP is offered as CF_DIB too.
    if (!IsClipboardFormatAvailable(CF_DIB)) return std::nullopt;
    OpenedClipboard clipboard(owner_);
    if (!clipboard) return std::nullopt;
    LockedGlobal picture(GetClipboardData(CF_DIB));
    if (!picture.data() || picture.size() == 0) return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(picture.data());
    return std::vector<std::uint8_t>(bytes, bytes + picture.size());
}

void Win32Clipboard::Pause(unsigned milliseconds) {
    // Messages other programs send us are answered meanwhile: the emulator's window,
    // just brought to the front, waits on them before it paints. Nothing posted (input,
    // timer ticks) is taken from the queue here.
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < milliseconds; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_SENDMESSAGE);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace vfe::win32
