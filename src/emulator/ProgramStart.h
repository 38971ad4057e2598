#pragma once
#include <cstdint>
#include <string_view>

#include "platform/FrontEnd.h"

namespace vfe {

// Starts the application directory's `exeName`, with that directory as its working
// directory and shown with `showCode`, and lets it go.
StartResult StartInAppDir(FrontEnd& fe, std::string_view exeName, std::int16_t showCode);

}  // namespace vfe
