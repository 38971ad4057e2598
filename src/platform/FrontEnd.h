#pragma once
#include <string>

#include "platform/Clock.h"
#include "platform/Disk.h"
#include "platform/MainWindowControls.h"
#include "platform/MainWindowState.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/WindowSystem.h"

namespace vfe {

// What every subsystem reaches of the main window: its state, its controls, and the
// platform services it uses. Subsystems meet only through this.
struct FrontEnd {
    MainWindowState& state;
    MainWindowControls& form;
    MessageBoxes& messages;
    WindowSystem& windows;
    SettingsStore& settings;
    Disk& disk;
    Clock& clock;
    std::string appDir;  // folder of the front-end's own executable, no trailing separator
};

}  // namespace vfe
