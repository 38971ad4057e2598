#pragma once
#include <windows.h>

#include "platform/Clipboard.h"

namespace vfe::win32 {

class Win32Clipboard final : public Clipboard {
public:
    explicit Win32Clipboard(HWND owner) : owner_(owner) {}
    void Empty() override;
    void PressPrintScreen() override;
    std::optional<std::vector<std::uint8_t>> PackedPicture() override;
    void Pause(unsigned milliseconds) override;

private:
    HWND owner_;
};

}  // namespace vfe::win32
