#include "capture/Recorder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "capture/FrameFiles.h"
#include "capture/IntervalRule.h"
#include "emulator/EmulatorIdentity.h"
#include "emulator/WindowLookup.h"
#include "platform/Paths.h"
#include "platform/ScopeExit.h"
#include "video/BmpFile.h"

namespace vfe {

namespace {
// While the video is written the timer ticks at this pace and takes nothing.
constexpr unsigned kTimerWhileSaving = 10;
// Room a recording leaves on the disk beyond its frames and its first video file.
constexpr std::uint64_t kDiskMarginBytes = 16u << 20;
// The video frame of "Record High Quality (640x480)".
constexpr double kHighQualityWidth = 640.0;
constexpr double kHighQualityHeight = 480.0;
}  // namespace

Recorder::Recorder(FrontEnd& frontEnd, ScreenCapture& screen, VideoWriter& writer)
    : fe_(frontEnd), screen_(screen), writer_(writer), frameCount_(frontEnd.form, frontEnd.clock) {}

void Recorder::mnuRecordHQ_Click() { BeginRecording(kHighQualityWidth, kHighQualityHeight); }

void Recorder::mnuRecordLQ_Click() { BeginRecording(320.0, 240.0); }

void Recorder::BeginRecording(double width, double height) {
    auto& state = fe_.state;
    auto& form = fe_.form;
    // An empty caption names no build; looking it up would find any untitled window.
    const bool running = !state.EmulatorCaption.empty() && LookUpWindow(fe_, state.EmulatorCaption) != 0;
    if (!running) {
        state.EmulatorWnd = 0;
        fe_.messages.Show(kNotRunningText, kNotRunningText, MsgBox::OkOnly | MsgBox::Exclamation);
        return;
    }
    // Without it the frames could never become a video: said before anything is recorded.
    if (const std::string missing = writer_.MissingLibraryPart(); !missing.empty()) {
        fe_.messages.Show(VideoLibraryMissingText(missing), kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
        return;
    }
    // Frames kept after a failed save, found at start, or still being taken while "Stop" is
    // ticked would be overwritten from z0 on: they go only when the user agrees, and only
    // once the new recording really starts (ConfirmRecording).
    if (form.ListCount() > 0 && !AgreesToDiscardListedFrames()) return;

    const WindowHandle emulator = LookUpWindow(fe_, std::string(kMainBuild.caption));
    if (emulator) fe_.windows.ShowWindow(emulator, ShowCode::Minimized);
    state.ShowMode = form.IsMenuChecked(MenuItem::mnuNormalView) ? ShowCode::Normal : ShowCode::Maximized;
    if (emulator) fe_.windows.ShowWindow(emulator, state.ShowMode);

    state.Grabando = false;
    state.TamanoCuadroW = width;
    state.TamanoCuadroH = height;
    state.Numero = 0;
    state.ZoomFactor = 1.0f;
    // The video writer puts this caption back when it is done.
    state.cCaption = form.Caption();
    stoppedByFailure_ = false;
    ticksWithoutPicture_ = 0;

    if (!ApplyIntervalRule()) return;  // no frame would ever be taken: said, nothing recorded
    form.SetTopmost();
    if (!screen_.CreateCapturePicture(form.ControlSize(Control::pic0))) {
        // Without it no frame could be taken: say so rather than record nothing.
        fe_.messages.Show(kNoCapturePictureText, kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
        return;
    }
    form.Minimize();
    ConfirmRecording();
}

bool Recorder::AgreesToDiscardListedFrames() {
    return fe_.messages.Show(kDiscardUnsavedFramesText, kApplicationTitle, MsgBox::YesNo | MsgBox::Exclamation) ==
           Answer::Yes;
}

void Recorder::DiscardListedFrames() {
    auto& form = fe_.form;
    form.ListClear();
    form.SetControlVisible(Control::cmd, false);
    form.SetControlVisible(Control::lst, false);
    DeleteFrameFiles(fe_.appDir);
}

void Recorder::ConfirmRecording() {
    if (fe_.form.CheckValue(Control::Check2) != 0) return;
    const Answer answer = fe_.messages.Show(kConfirmText, kConfirmTitle, MsgBox::OkCancel);
    fe_.state.Grabando = answer == Answer::Ok;
    if (!fe_.state.Grabando) screen_.DestroyCapturePicture();
    // Frames still listed were agreed to go: they go only as this recording starts.
    if (fe_.state.Grabando && fe_.form.ListCount() > 0) DiscardListedFrames();
}

void Recorder::Timer_Timer() {
    if (TakingFrames()) GrabFrame();
}

void Recorder::GrabFrame() {
    // Before a recording is prepared, or after one was cancelled, there is nothing to copy into.
    if (!screen_.HasCapturePicture()) return;
    if (!screen_.CopyScreenToCapturePicture(ClientAreaOf(fe_.form.ControlSize(Control::pic0)))) {
        // Saved as a frame, the picture would repeat the last one. A locked screen or a secure
        // desktop gives none for a while: the recording goes on, and its end says how often.
        if (TakingFrames())
            ++ticksWithoutPicture_;
        else
            ReportFailure(kScreenNotCopiedText);
        return;
    }
    screen_.ShowCapturePictureInPreview();
    if (!TakingFrames()) return;
    SaveFrame();
}

bool Recorder::SaveFrame() {
    auto& state = fe_.state;
    const std::string path = FrameFilePath(fe_.appDir, state.Numero);
    const auto bytes = screen_.CapturePictureBytes();
    if (bytes && !LeavesRoomForTheVideo(*bytes)) {
        StopRecording(kDiskNearlyFullText + (state.Numero > 0 ? "\r\n" + kRestoreToSaveText : std::string()));
        return false;
    }
    errno = 0;
    if (!bytes || !WriteBmpFile(path, bytes->bitmapInfo, bytes->bits)) {
        // What the system said: a read-only folder and a full disk need different help.
        const int reason = errno;
        StopAfterFailure(kFrameNotWrittenText + "\r\n" + path +
                         (reason != 0 ? "\r\n" + std::string(std::strerror(reason)) : std::string()));
        return false;
    }
    if (!fe_.form.ListAdd(path)) {
        // Unlisted, the frame would never be saved: it does not stay either.
        std::remove(path.c_str());
        StopAfterFailure(kFrameNotListedText + "\r\n" + path);
        return false;
    }
    state.Numero += 1;
    frameCount_.Show(FramesCapturedCaption(state.Numero));
    return true;
}

bool Recorder::LeavesRoomForTheVideo(const BitmapBytes& frame) const {
    const auto free = fe_.disk.FreeBytes(fe_.appDir);
    if (!free) return true;  // the system cannot say: a write that fails stops the recording
    const auto frameFile = kBmpFileHeaderSize + frame.bitmapInfo.size() + frame.bits.size();
    const auto video = FirstVideoFileBytes(fe_.form.ListCount() + 1, static_cast<std::int64_t>(frame.bits.size()));
    return *free >= frameFile + static_cast<std::uint64_t>(video) + kDiskMarginBytes;
}

bool Recorder::TakingFrames() const { return fe_.state.Grabando && !stoppedByFailure_; }

void Recorder::ReportFailure(const std::string& what) {
    if (TakingFrames())
        StopAfterFailure(what);
    else
        fe_.messages.Show(what, kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
}

void Recorder::StopAfterFailure(const std::string& what) {
    // Without a frame taken the restore has nothing to save: the recording ends as an empty one.
    StopRecording(what + "\r\n" + (fe_.state.Numero > 0 ? kRecordingStoppedText : kRecordingStoppedEmptyText));
}

void Recorder::StopRecording(const std::string& message) {
    // Stopped before the message: timer ticks reach us while it is open.
    stoppedByFailure_ = true;
    fe_.form.SetTimerInterval(0);
    frameCount_.ShowHeld();
    fe_.messages.Show(message, kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
}

void Recorder::EndRecording() {
    auto& form = fe_.form;
    if (form.CheckValue(Control::Check2) != 0 || !fe_.state.Grabando) return;
    fe_.state.Grabando = false;
    SetStop(1);  // which shows the exact frame count, as a pause does
    if (const int ticks = std::exchange(ticksWithoutPicture_, 0); ticks > 0)
        fe_.messages.Show(TicksWithoutPictureText(ticks), kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
    form.SetControlEnabled(Control::Check2, false);
    form.SetControlVisible(Control::cmd, true);
    form.SetControlVisible(Control::lst, true);
    const ScopeExit stopReleased([&] { ReleaseStop(); });
    // A failed save keeps the frames and leaves "Save" showing for another try.
    if (ConsumesRecording(SaveRecordedFrames())) form.ListClear();
}

void Recorder::cmd_Click() {
    auto& form = fe_.form;
    form.SetControlVisible(Control::cmd, false);
    form.SetControlVisible(Control::lst, false);
    bool consumed = false;
    const ScopeExit afterSave([&] {
        // Frames that are still to be saved stay on offer, whatever stopped the save.
        if (!consumed) {
            form.SetControlVisible(Control::cmd, true);
            form.SetControlVisible(Control::lst, true);
        }
        ReleaseStop();
    });
    consumed = ConsumesRecording(SaveRecordedFrames());
    if (consumed) form.ListClear();
}

SaveResult Recorder::SaveRecordedFrames() {
    SetFrameTimer(kTimerWhileSaving);
    SaveResult result;
    {
        const ScopeExit timerBack([&] { ApplyIntervalRule(); });
        result = writer_.SaveVideo(*this);
    }
    if (ConsumesRecording(result)) DeleteFrameFiles(fe_.appDir);
    return result;
}

void Recorder::OfferFramesLeftUnsaved() {
    const auto names = ListFrameFiles(fe_.appDir);
    if (names.empty()) return;
    auto& form = fe_.form;
    std::string unlisted;
    for (const auto& name : names)
        if (!form.ListAdd(InAppDir(fe_.appDir, name))) {
            unlisted = "\r\n" + kFrameNotListedText + "\r\n" + InAppDir(fe_.appDir, name);
            break;
        }
    form.SetControlVisible(Control::cmd, true);
    form.SetControlVisible(Control::lst, true);
    // Which quality the lost recording had is kept nowhere: the video declares the higher one.
    fe_.state.TamanoCuadroW = kHighQualityWidth;
    fe_.state.TamanoCuadroH = kHighQualityHeight;
    fe_.messages.Show(UnsavedFramesFoundText(names.size()) + unlisted, kApplicationTitle,
                      MsgBox::OkOnly | MsgBox::Information);
}

void Recorder::FramesInVideo(int first, int count) {
    auto& form = fe_.form;
    for (int i = 0; i < count && first < form.ListCount(); ++i) {
        const std::string path = form.ListItem(first);
        form.ListRemove(first);
        // A file that cannot go now goes with the others once the whole recording is saved.
        std::remove(path.c_str());
    }
}

void Recorder::ReleaseStop() {
    SetStop(0);
    fe_.form.SetControlEnabled(Control::Check2, true);
}

void Recorder::Check2_Click() {
    if (fe_.form.CheckValue(Control::Check2) == 1) {
        fe_.form.SetTimerInterval(0);
        frameCount_.ShowHeld();  // the count the recording paused at
    } else {
        ApplyIntervalRule();
    }
}

void Recorder::Text1_LostFocus() { ApplyIntervalRule(); }

void Recorder::lst_Click() {
    const int selected = fe_.form.ListIndex();
    if (selected < 0) return;
    // A frame that cannot be shown leaves the preview as it was; the video writer
    // reports unreadable frames itself.
    screen_.ShowFileInPreview(fe_.form.ListItem(selected));
}

void Recorder::ShowSelectedFrame(BitmapBytes frame) {
    // As lst_Click: a frame that cannot be shown leaves the preview as it was.
    screen_.ShowBitmapInPreview(frame);
}

void Recorder::lst_KeyDown(std::int16_t keyCode, std::int16_t /*shift*/) {
    auto& form = fe_.form;
    // The last entry stays: a save of an emptied list would end the recording with no video.
    if (keyCode != kDeleteKey || form.ListCount() <= 1) return;
    const int selected = form.ListIndex();
    if (selected < 0) return;  // nothing selected: nothing to remove
    form.ListRemove(selected);
    form.SetListIndex(0);
    lst_Click();
}

bool Recorder::ApplyIntervalRule() {
    return SetFrameTimer(TimerIntervalFromText(fe_.form.ControlText(Control::Text1)));
}

bool Recorder::SetFrameTimer(unsigned milliseconds) {
    if (fe_.form.SetTimerInterval(milliseconds)) return true;
    ReportFailure(kTimerNotSetText);
    return false;
}

void Recorder::SetStop(int value) {
    if (fe_.form.CheckValue(Control::Check2) == value) return;
    fe_.form.SetCheckValue(Control::Check2, value);
    Check2_Click();
}

}  // namespace vfe
