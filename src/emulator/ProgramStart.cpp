#include "emulator/ProgramStart.h"

#include "platform/Paths.h"

namespace vfe {

StartResult StartInAppDir(FrontEnd& fe, std::string_view exeName, std::int16_t showCode) {
    return fe.windows.StartProgram(InAppDir(fe.appDir, exeName), fe.appDir, showCode);
}

}  // namespace vfe
