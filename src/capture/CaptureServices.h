#pragma once
#include "platform/Clipboard.h"
#include "platform/ScreenCapture.h"
#include "video/SaveVideo.h"

namespace vfe {

// What the capture panel needs beyond the main window: the pictures, the clipboard and
// the video writer.
struct CaptureServices {
    ScreenCapture& screen;
    Clipboard& clipboard;
    VideoWriter& writer;
};

}  // namespace vfe
