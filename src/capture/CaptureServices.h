#pragma once
#include "platform/Clipboard.h"
#include "platform/FileReplace.h"
#include "platform/ScreenCapture.h"
#include "video/SaveVideo.h"

namespace vfe {

// What the capture panel needs beyond the main window: the pictures, the clipboard, the
// video writer and the replacing of a file.
struct CaptureServices {
    ScreenCapture& screen;
    Clipboard& clipboard;
    VideoWriter& writer;
    FileReplace& files;
};

}  // namespace vfe
