#pragma once
#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace vfe {

// The variables the main window shares with every subsystem. It is their single owner;
// the load handler gives ShowMode and FlashSize their start values.
struct MainWindowState {
    std::string EmulatorCaption;    // caption of the build last passed to a launch
    WindowHandle EmulatorWnd = 0;   // result of the most recent window lookup
    std::int16_t ShowMode = 0;      // show code for the emulator: 1 normal, 3 maximized
    std::int32_t FlashSize = 0;     // expected length of the flash BIOS image
    bool Grabando = false;          // a recording is in progress
    double TamanoCuadroW = 0;       // video frame width of the recording
    double TamanoCuadroH = 0;       // video frame height of the recording
    double Numero = 0;              // number of the next frame file
    std::string cCaption;           // caption the video writer puts back when it finishes
    float ZoomFactor = 0.0f;
    std::int16_t SnapshotNumber = 0;
};

}  // namespace vfe
