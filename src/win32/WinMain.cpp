#include <windows.h>
#include <commctrl.h>

#include "platform/Paths.h"
#include "shell/frmVelmoranLoad.h"
#include "video/SaveVideo.h"
#include "win32/AviFileLibrary.h"
#include "win32/FolderInstance.h"
#include "win32/MainWindow.h"
#include "win32/RegistrySettings.h"
#include "win32/Win32AboutWindow.h"
#include "win32/Win32Clipboard.h"
#include "win32/Win32Clock.h"
#include "win32/Win32Disk.h"
#include "win32/Win32FileReplace.h"
#include "win32/ModuleFileName.h"
#include "win32/Win32MessageBoxes.h"
#include "win32/Win32ScreenCapture.h"
#include "win32/Win32WindowSystem.h"

namespace {

// The folder of our own executable, whatever the current directory is.
std::string ApplicationDirectory() { return vfe::FolderOf(vfe::win32::ModuleFileName()); }

// Form_Initialize: the controls take the system's visual style.
void Form_Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

// Without its window and every control the program can do nothing: it says so once and ends.
int CannotStart(vfe::win32::Win32MessageBoxes& messages) {
    messages.Show(vfe::kWindowNotCreatedText, vfe::kApplicationTitle, vfe::MsgBox::OkOnly | vfe::MsgBox::Critical);
    return 1;
}

int RunFrontEnd(HINSTANCE instance, int showCommand) {
    const std::string appDir = ApplicationDirectory();
    // A second start in the folder touches no file, setting or flash image.
    vfe::win32::FolderInstance folderInstance(appDir);
    if (!folderInstance.IsFirst()) {
        folderInstance.ShowTheFirst();
        return 0;
    }
    Form_Initialize();

    vfe::MainWindowState state;
    vfe::win32::MainWindow window(instance);
    vfe::win32::Win32MessageBoxes messages;
    vfe::win32::Win32WindowSystem windows;
    vfe::win32::RegistrySettings settings;
    vfe::win32::Win32Disk disk;
    vfe::win32::Win32Clock clock;
    if (!window.Create()) return CannotStart(messages);
    messages.SetOwner(window.hwnd());
    folderInstance.Publish(window.hwnd());

    vfe::FrontEnd frontEnd{state, window, messages, windows, settings, disk, clock, appDir};
    vfe::win32::Win32AboutWindow about(instance, window, appDir);
    vfe::win32::Win32ScreenCapture screen(window.ControlWindow(vfe::Control::pic0));
    vfe::win32::Win32Clipboard clipboard(window.hwnd());
    vfe::win32::AviFileLibrary avi(window.hwnd());
    vfe::AviVideoWriter writer(frontEnd, avi);
    vfe::win32::Win32FileReplace files;
    vfe::frmVelmoranLoad form(frontEnd, about, {screen, clipboard, writer, files});
    const auto attached = window.Attach(form);
    form.Form_Load();
    window.Show(showCommand);
    // What lies outside the client area is made once the window shows, before the message
    // loop runs: every control exists before the program handles any input.
    if (!window.CreateControlsAfterShow()) return CannotStart(messages);
    // From the queue: what it says comes over the window, never before it shows.
    if (!PostMessageA(window.hwnd(), vfe::win32::kShownMessage, 0, 0)) form.Form_Shown();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (window.TranslateDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        return RunFrontEnd(instance, showCommand);
    } catch (...) {
        return 1;
    }
}
