#pragma once
#include <functional>

#include "platform/Clipboard.h"
#include "platform/ScreenCapture.h"
#include "video/SaveVideo.h"

namespace vfe {

// What the capture panel needs beyond the main window: the pictures, the clipboard and
// the video writer. The writer is given the frame list's selection handler, which it
// runs after each selection it makes.
struct CaptureServices {
    ScreenCapture& screen;
    Clipboard& clipboard;
    std::function<SaveOutcome(const std::function<void()>& lst_Click)> saveVideo;
};

}  // namespace vfe
