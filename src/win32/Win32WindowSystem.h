#pragma once
#include "platform/WindowSystem.h"

namespace vfe::win32 {

class Win32WindowSystem final : public WindowSystem {
public:
    WindowHandle FindWindowByCaption(const std::string& caption) override;
    void ShowWindow(WindowHandle window, std::int16_t showCode) override;
    void PostClose(WindowHandle window) override;
    StartResult StartProgram(const std::string& path, const std::string& workingDirectory,
                             std::int16_t showCode) override;
};

}  // namespace vfe::win32
