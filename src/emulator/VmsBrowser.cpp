// "&VMS Browser": a fresh browser every time, the old one asked to close first.
#include "emulator/EmulatorControl.h"
#include "emulator/EmulatorIdentity.h"
#include "emulator/EmulatorMessages.h"
#include "emulator/ProgramStart.h"
#include "emulator/WindowLookup.h"

namespace vfe {

void EmulatorControl::mnuVMSBrowser_Click() {
    const WindowHandle running = LookUpWindow(fe_, std::string(kVmsBrowser.caption));
    if (running) fe_.windows.PostClose(running);
    if (StartInAppDir(fe_, kVmsBrowser.exeName, ShowCode::Normal) == StartResult::NotFound)
        EmulatorMessages::Ask(fe_.messages, EmulatorMessages::kVmsBrowserNotFound);
}

}  // namespace vfe
