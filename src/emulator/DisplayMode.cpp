// "Display &Mode": the show code for later launches, applied at once to a running main build.
#include "emulator/EmulatorControl.h"
#include "emulator/EmulatorIdentity.h"
#include "emulator/WindowLookup.h"

namespace vfe {

void EmulatorControl::mnuNormalView_Click() {
    ApplyDisplayMode(MenuItem::mnuMaximizedView, MenuItem::mnuNormalView, ShowCode::Normal);
}

void EmulatorControl::mnuMaximizedView_Click() {
    ApplyDisplayMode(MenuItem::mnuNormalView, MenuItem::mnuMaximizedView, ShowCode::Maximized);
}

void EmulatorControl::ApplyDisplayMode(MenuItem other, MenuItem chosen, std::int16_t showCode) {
    fe_.form.SetMenuChecked(other, false);
    fe_.form.SetMenuChecked(chosen, true);
    // Always the main build, whatever was launched last.
    const WindowHandle window = LookUpWindow(fe_, std::string(kMainBuild.caption));
    // Minimizing first makes the window come back in the new state even when it already had it.
    if (window) fe_.windows.ShowWindow(window, ShowCode::Minimized);
    fe_.state.ShowMode = showCode;
    if (window) fe_.windows.ShowWindow(window, showCode);
}

}  // namespace vfe
