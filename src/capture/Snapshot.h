#pragma once
#include <string>

#include "capture/CaptureTexts.h"
#include "platform/Clipboard.h"
#include "platform/FileReplace.h"
#include "platform/FrontEnd.h"
#include "platform/ScreenCapture.h"

namespace vfe {

// How long the system may take to put the Print Screen picture on the clipboard.
constexpr unsigned kClipboardPollMilliseconds = 50;
constexpr int kClipboardPolls = 20;

// "Snapshot" + number + ".bmp", in the working directory.
std::string SnapshotFileName(int number);

// The hidden "Take Snapshot" command: the earlier build's window through the
// clipboard into a numbered BMP file in the working directory.
class Snapshot {
public:
    Snapshot(FrontEnd& frontEnd, Clipboard& clipboard, ScreenCapture& screen, FileReplace& files)
        : fe_(frontEnd), clipboard_(clipboard), screen_(screen), files_(files) {}
    void cmdSnapshot_Click();

private:
    bool SaveWindowPicture(WindowHandle window, const std::string& path);

    FrontEnd& fe_;
    Clipboard& clipboard_;
    ScreenCapture& screen_;
    FileReplace& files_;
    // The 16-bit counter cannot pass 32767: once that file is written, no number is left.
    bool numbersUsedUp_ = false;
};

}  // namespace vfe
