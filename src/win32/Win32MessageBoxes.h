#pragma once
#include <windows.h>

#include "platform/MessageBoxes.h"

namespace vfe::win32 {

// Modal boxes owned by the window that is active in the front-end.
class Win32MessageBoxes final : public MessageBoxes {
public:
    void SetOwner(HWND owner) { owner_ = owner; }
    Answer Show(const std::string& text, const std::string& title, unsigned flags) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace vfe::win32
