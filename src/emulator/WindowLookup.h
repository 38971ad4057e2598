#pragma once
#include <string>

#include "platform/FrontEnd.h"

namespace vfe {

// Finds the top-level window with exactly this caption (case ignored) and keeps
// the outcome in EmulatorWnd, whoever asked; 0 when there is none.
WindowHandle LookUpWindow(FrontEnd& fe, const std::string& caption);

}  // namespace vfe
