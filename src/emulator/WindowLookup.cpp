#include "emulator/WindowLookup.h"

namespace vfe {

WindowHandle LookUpWindow(FrontEnd& fe, const std::string& caption) {
    fe.state.EmulatorWnd = fe.windows.FindWindowByCaption(caption);
    return fe.state.EmulatorWnd;
}

}  // namespace vfe
