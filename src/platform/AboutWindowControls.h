#pragma once
#include "platform/RichTextBox.h"

namespace vfe {

// frmVelmoranAbout's real window, as its behaviour sees it.
class AboutWindowControls {
public:
    virtual ~AboutWindowControls() = default;
    virtual RichTextBox& rtbAbout() = 0;
    // Closes the window; the main window is usable again.
    virtual void Unload() = 0;
};

}  // namespace vfe
