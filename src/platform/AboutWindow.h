#pragma once

namespace vfe {

// The About window as the main window opens it.
class AboutWindow {
public:
    virtual ~AboutWindow() = default;
    // Shows the window modally: returns when it has been closed.
    virtual void ShowModal() = 0;
};

}  // namespace vfe
