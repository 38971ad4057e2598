#include "win32/Win32MessageBoxes.h"

namespace vfe::win32 {

Answer Win32MessageBoxes::Show(const std::string& text, const std::string& title, unsigned flags) {
    HWND owner = owner_ && IsWindow(owner_) ? owner_ : nullptr;
    // A box over a minimized owner must still come up where the user sees it.
    const UINT extra = owner && IsIconic(owner) ? MB_SETFOREGROUND | MB_TOPMOST : 0;
    const int answer = MessageBoxA(owner, text.c_str(), title.c_str(), flags | extra);
    switch (answer) {
        case IDOK: return Answer::Ok;
        case IDYES: return Answer::Yes;
        case IDNO: return Answer::No;
        default: return Answer::Cancel;
    }
}

}  // namespace vfe::win32
