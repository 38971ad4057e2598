#pragma once
#include <string>

#include "platform/Types.h"

namespace vfe {

enum class StartResult { Started, NotFound, Failed };

// The outside programs as the front-end reaches them: by caption, show codes,
// a close request and a process start. No handle of theirs is ever kept.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Top-level window whose whole caption equals `caption`, ignoring case; 0 when none.
    virtual WindowHandle FindWindowByCaption(const std::string& caption) = 0;
    // Show code 1 leaves the window normal, also when it was maximized before it was minimized.
    virtual void ShowWindow(WindowHandle window, std::int16_t showCode) = 0;
    // Queues WM_CLOSE; never waits for the window to go.
    virtual void PostClose(WindowHandle window) = 0;
    // Starts exactly the program file `path` (never parsed as a command line), without
    // arguments, in `workingDirectory`, and lets it go.
    virtual StartResult StartProgram(const std::string& path, const std::string& workingDirectory,
                                     std::int16_t showCode) = 0;
};

}  // namespace vfe
