#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "capture/CaptureTexts.h"
#include "platform/FrontEnd.h"
#include "platform/ScreenCapture.h"
#include "video/SaveVideo.h"

namespace vfe {

constexpr std::int16_t kDeleteKey = 46;

// The recording of frames from the screen, the frame list and the "Save" button: the
// main window's handlers for them. The video writer is reached through `saveVideo`,
// which writes the listed frames and tells how it went.
class Recorder {
public:
    using VideoWriter = std::function<SaveOutcome()>;

    Recorder(FrontEnd& frontEnd, ScreenCapture& screen, VideoWriter saveVideo);

    void mnuRecordHQ_Click();
    void mnuRecordLQ_Click();
    void BeginRecording(double width, double height);
    void ConfirmRecording();
    void Timer_Timer();
    void GrabFrame();
    void EndRecording();
    void Check2_Click();
    void Text1_LostFocus();
    void lst_Click();
    void lst_KeyDown(std::int16_t keyCode, std::int16_t shift);
    void cmd_Click();

    // True after a frame file could not be written: no further frame is taken.
    bool StoppedByWriteFailure() const { return stoppedByWriteFailure_; }

private:
    void ApplyIntervalRule();
    // "Stop" set by code, which runs its handler when the value changes.
    void SetStop(int value);
    bool SaveFrame();
    void StopAfterWriteFailure(const std::string& path);
    bool ConsumesRecording(SaveOutcome outcome) const { return outcome != SaveOutcome::Failed; }

    FrontEnd& fe_;
    ScreenCapture& screen_;
    VideoWriter saveVideo_;
    bool stoppedByWriteFailure_ = false;
};

}  // namespace vfe
