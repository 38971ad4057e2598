#pragma once
#include <windows.h>

#include <string>

#include "platform/AboutWindow.h"
#include "win32/RichEditBox.h"

namespace vfe::win32 {

class MainWindow;

// Opens frmVelmoranAbout modally over the main window.
class Win32AboutWindow final : public AboutWindow {
public:
    Win32AboutWindow(HINSTANCE instance, MainWindow& owner, std::string appDir);
    void ShowModal() override;

private:
    HINSTANCE instance_;
    MainWindow& owner_;
    std::string appDir_;
    RichEditLibrary richEdit_;
};

}  // namespace vfe::win32
