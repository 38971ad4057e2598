#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "about/frmVelmoranAbout.h"
#include "platform/StdioFileSource.h"
#include "platform/Types.h"
#include "win32/Handles.h"
#include "win32/RichEditBox.h"
#include "win32/Win32MessageBoxes.h"

namespace vfe::win32 {

// frmVelmoranAbout's real window for one opening: the dark-grey Shape1, the banner
// Image1 and the rich edit rtbAbout, modal over its owner.
class AboutFrame final : public AboutWindowControls {
public:
    AboutFrame(HINSTANCE instance, HWND owner, Size twipsPerPixel, const char* richEditClass, std::string appDir);
    ~AboutFrame() override;
    AboutFrame(const AboutFrame&) = delete;
    AboutFrame& operator=(const AboutFrame&) = delete;

    bool Create();
    // Shows the window with its owner disabled and returns once it has gone.
    void RunModal();

    // AboutWindowControls
    RichTextBox& rtbAbout() override { return rtbAbout_; }
    void Unload() override;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    HWND CreateRichEdit();

    HINSTANCE instance_;
    HWND owner_;
    Size twipsPerPixel_;
    const char* richEditClass_;
    HWND hwnd_ = nullptr;
    RichEditBox rtbAbout_;
    Win32MessageBoxes messages_;
    StdioFileSource files_;
    frmVelmoranAbout form_;
    GdiObject<HBITMAP> banner_;
    GdiObject<HBRUSH> shape1Brush_;
};

}  // namespace vfe::win32
