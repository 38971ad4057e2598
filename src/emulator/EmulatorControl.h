#pragma once
#include <cstdint>
#include <string>

#include "platform/FrontEnd.h"

namespace vfe {

// The "&Run" commands, the display mode and the VMS browser: everything the front-end
// does to the outside programs. Each operation finds their windows afresh by caption.
class EmulatorControl {
public:
    explicit EmulatorControl(FrontEnd& frontEnd) : fe_(frontEnd) {}

    // Starts the build from the application directory, offering to restart it when its
    // window already exists. Remembers the caption even when the user declines.
    void LaunchEmulator(const std::string& exeName, std::int16_t showCode, const std::string& caption);
    void mnuVelmoranAlpha_Click();
    void mnuVelmoranAlphaOldGFX_Click();
    // Asks the build last passed to a launch to close; never waits for it.
    void mnuCloseVelmoran_Click();

    void mnuNormalView_Click();
    void mnuMaximizedView_Click();

    // Starts the memory-card browser, closing a running one first without asking.
    void mnuVMSBrowser_Click();

private:
    // Marks `chosen` and re-shows the main build's window in `showCode`.
    void ApplyDisplayMode(MenuItem other, MenuItem chosen, std::int16_t showCode);

    FrontEnd& fe_;
};

}  // namespace vfe
