#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "about/frmVelmoranAbout.h"
#include "platform/StdioFileSource.h"
#include "platform/Types.h"
#include "win32/BaseWindow.h"
#include "win32/Handles.h"
#include "win32/RichEditBox.h"
#include "win32/Win32MessageBoxes.h"

namespace vfe::win32 {

// frmVelmoranAbout's real window for one opening: the dark-grey Shape1, the banner
// Image1 and the rich edit rtbAbout, modal over its owner.
class AboutFrame final : public AboutWindowControls, public BaseWindow<AboutFrame> {
public:
    // Failures of its handlers go to `faults` (the main window).
    AboutFrame(HINSTANCE instance, HWND owner, FaultReport& faults, Size twipsPerPixel, const char* richEditClass,
               std::string appDir);
    ~AboutFrame() override;

    bool Create();
    // Shows the window with its owner disabled and returns once it has gone.
    void RunModal();

    // AboutWindowControls
    RichTextBox& rtbAbout() override { return rtbAbout_; }
    void Unload() override;

private:
    friend class BaseWindow<AboutFrame>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnGone() { rtbAbout_.Attach(nullptr); }
    void OnFault() { faults_.ReportFault(); }
    void Paint();
    HWND CreateRichEdit();

    HINSTANCE instance_;
    HWND owner_;
    FaultReport& faults_;
    Size twipsPerPixel_;
    const char* richEditClass_;
    RichEditBox rtbAbout_;
    Win32MessageBoxes messages_;
    StdioFileSource files_;
    frmVelmoranAbout form_;
    GdiObject<HBITMAP> banner_;
    GdiObject<HBRUSH> shape1Brush_;
};

}  // namespace vfe::win32
