#include "win32/Win32AboutWindow.h"

#include <utility>

#include "win32/AboutFrame.h"
#include "win32/MainWindow.h"

namespace vfe::win32 {

Win32AboutWindow::Win32AboutWindow(HINSTANCE instance, MainWindow& owner, std::string appDir)
    : instance_(instance), owner_(owner), appDir_(std::move(appDir)) {}

void Win32AboutWindow::ShowModal() {
    AboutFrame frame(instance_, owner_.hwnd(), owner_, owner_.TwipsPerPixel(), richEdit_.WindowClass(), appDir_);
    if (frame.Create()) frame.RunModal();
}

}  // namespace vfe::win32
