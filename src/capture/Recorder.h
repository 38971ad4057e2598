#pragma once
#include <cstdint>
#include <string>

#include "capture/CaptureTexts.h"
#include "platform/FrontEnd.h"
#include "platform/PacedCaption.h"
#include "platform/ScreenCapture.h"
#include "video/SaveVideo.h"

namespace vfe {

constexpr std::int16_t kDeleteKey = 46;

// The recording of frames from the screen, the frame list and the "Save" button: the
// main window's handlers for them. It owns the frame timer, the interval rule and the
// frame files; the video writer only writes what the list holds and says how it went.
class Recorder final : public FrameListSelection {
public:
    Recorder(FrontEnd& frontEnd, ScreenCapture& screen, VideoWriter& writer);

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
    // The frame the video writer has just read for the entry it selected.
    void ShowSelectedFrame(BitmapBytes frame) override;
    // These frames are in a whole video: off the list, and their files deleted.
    void FramesInVideo(int first, int count) override;
    void lst_KeyDown(std::int16_t keyCode, std::int16_t shift);
    void cmd_Click();
    // At start: frame files that no video holds (the program ended during a recording or before
    // its save) are listed in frame-number order with "Save", as after a failed save, and said
    // once. Nothing is written or deleted.
    void OfferFramesLeftUnsaved();

    // True after a step of a frame failed (or a handler did): no further frame is taken.
    bool StoppedByFailure() const { return stoppedByFailure_; }
    // Frames are being taken: a recording runs and nothing has stopped it yet.
    bool TakingFrames() const;
    // `what` failed: while frames are taken, the recording stops with one message and the
    // frames taken so far are kept for the save; otherwise `what` is said.
    void ReportFailure(const std::string& what);

    // The video writer over the list, then the timer back by the interval rule (on every way
    // out), and the frame files deleted unless the save failed (the frames not yet in a whole
    // video are kept to try again).
    SaveResult SaveRecordedFrames();

private:
    // The frame timer set by the interval rule, or to `milliseconds`; a failure is said (and
    // stops a recording). False when it failed.
    bool ApplyIntervalRule();
    bool SetFrameTimer(unsigned milliseconds);
    // "Stop" set by code, which runs its handler when the value changes.
    void SetStop(int value);
    // "Stop" cleared (the timer back by the interval rule) and enabled again after a save.
    void ReleaseStop();
    // Asks whether the frames still listed may go; they, and every frame file, go only with
    // DiscardListedFrames, once the new recording starts.
    bool AgreesToDiscardListedFrames();
    void DiscardListedFrames();
    bool SaveFrame();
    // Whether the disk keeps room for the recording's own video once this frame is written.
    bool LeavesRoomForTheVideo(const BitmapBytes& frame) const;
    // Stops the recording after a failure, with one message saying what failed.
    void StopAfterFailure(const std::string& what);
    // Stops taking frames, then says `message`.
    void StopRecording(const std::string& message);
    // Whether the recording is done with after the save: saved, cancelled or empty.
    static bool ConsumesRecording(const SaveResult& result) { return result.outcome != SaveOutcome::Failed; }

    FrontEnd& fe_;
    ScreenCapture& screen_;
    VideoWriter& writer_;
    PacedCaption frameCount_;  // the caption counting the frames, at a person's pace
    bool stoppedByFailure_ = false;
    int ticksWithoutPicture_ = 0;  // of the recording running, said when it ends
};

}  // namespace vfe
