// The "&Run" menu: launch either emulator build, restart it on request, close it.
#include "emulator/EmulatorControl.h"
#include "emulator/EmulatorIdentity.h"
#include "emulator/EmulatorMessages.h"
#include "emulator/ProgramStart.h"
#include "emulator/WindowLookup.h"

namespace vfe {

void EmulatorControl::LaunchEmulator(const std::string& exeName, std::int16_t showCode, const std::string& caption) {
    const WindowHandle running = LookUpWindow(fe_, caption);
    // Remembered before the question: a declined restart still makes this the build to close.
    fe_.state.EmulatorCaption = caption;
    if (running) {
        // Only a clear Yes restarts; a box that could not be shown counts as No.
        if (EmulatorMessages::Ask(fe_.messages, EmulatorMessages::kAlreadyRunning) != Answer::Yes) return;
        fe_.windows.PostClose(running);
    }
    fe_.form.SetCaption("Running " + exeName);
    if (StartInAppDir(fe_, exeName, showCode) == StartResult::NotFound)
        EmulatorMessages::Ask(fe_.messages, EmulatorMessages::kEmulatorNotFound);
}

void EmulatorControl::mnuVelmoranAlpha_Click() {
    LaunchEmulator(std::string(kMainBuild.exeName), fe_.state.ShowMode, std::string(kMainBuild.caption));
}

void EmulatorControl::mnuVelmoranAlphaOldGFX_Click() {
    LaunchEmulator(std::string(kOldGfxBuild.exeName), fe_.state.ShowMode, std::string(kOldGfxBuild.caption));
}

void EmulatorControl::mnuCloseVelmoran_Click() {
    // Looked up even with no caption remembered, so EmulatorWnd tells what was found.
    const WindowHandle window = LookUpWindow(fe_, fe_.state.EmulatorCaption);
    if (!fe_.state.EmulatorCaption.empty() && window) {
        fe_.windows.PostClose(window);
        return;
    }
    EmulatorMessages::Ask(fe_.messages, EmulatorMessages::kNotRunning);
}

}  // namespace vfe
