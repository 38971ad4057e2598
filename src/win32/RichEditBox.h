#pragma once
#include <windows.h>

#include "platform/RichTextBox.h"
#include "win32/Handles.h"

namespace vfe::win32 {

// The system's rich edit library, loaded at run time: the newest one there is.
class RichEditLibrary {
public:
    // Loads it on first use; null when no rich edit library could be loaded.
    const char* WindowClass();

private:
    LoadedModule module_;
    const char* windowClass_ = nullptr;
};

// A rich edit control that takes its content from a byte stream.
class RichEditBox final : public RichTextBox {
public:
    void Attach(HWND control) { control_ = control; }
    HWND hwnd() const { return control_; }
    bool StreamIn(TextFormat format, InputFile& source) override;

private:
    HWND control_ = nullptr;
};

}  // namespace vfe::win32
