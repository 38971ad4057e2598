#include "capture/Recorder.h"

#include "capture/FrameFiles.h"
#include "capture/IntervalRule.h"
#include "emulator/EmulatorIdentity.h"
#include "emulator/WindowLookup.h"
#include "video/BmpFile.h"

namespace vfe {

namespace {
// While the video is written the timer ticks at this pace and takes nothing.
constexpr unsigned kTimerWhileSaving = 10;
}  // namespace

Recorder::Recorder(FrontEnd& frontEnd, ScreenCapture& screen, VideoWriter& writer)
    : fe_(frontEnd), screen_(screen), writer_(writer) {}

void Recorder::mnuRecordHQ_Click() { BeginRecording(640.0, 480.0); }

void Recorder::mnuRecordLQ_Click() { BeginRecording(320.0, 240.0); }

void Recorder::BeginRecording(double width, double height) {
    auto& state = fe_.state;
    auto& form = fe_.form;
    // Frames kept after a failed save (or still being taken while "Stop" is ticked)
    // would be overwritten from z0 on: they are saved or discarded first.
    if (form.ListCount() > 0) {
        fe_.messages.Show(kUnsavedRecordingText, kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
        return;
    }
    // An empty caption names no build; looking it up would find any untitled window.
    const bool running = !state.EmulatorCaption.empty() && LookUpWindow(fe_, state.EmulatorCaption) != 0;
    if (!running) {
        state.EmulatorWnd = 0;
        fe_.messages.Show(kNotRunningText, kNotRunningText, MsgBox::OkOnly | MsgBox::Exclamation);
        return;
    }

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
    stoppedByWriteFailure_ = false;

    ApplyIntervalRule();
    form.SetTopmost();
    if (!screen_.CreateCapturePicture(form.ControlSize(Control::pic0))) {
        // Without it no frame could be taken: say so rather than record nothing.
        fe_.messages.Show(kNoCapturePictureText, kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
        return;
    }
    form.Minimize();
    ConfirmRecording();
}

void Recorder::ConfirmRecording() {
    if (fe_.form.CheckValue(Control::Check2) != 0) return;
    const Answer answer = fe_.messages.Show(kConfirmText, kConfirmTitle, MsgBox::OkCancel);
    fe_.state.Grabando = answer == Answer::Ok;
    if (!fe_.state.Grabando) screen_.DestroyCapturePicture();
}

void Recorder::Timer_Timer() {
    if (fe_.state.Grabando && !stoppedByWriteFailure_) GrabFrame();
}

void Recorder::GrabFrame() {
    // Before a recording is prepared, or after one was cancelled, there is nothing to copy into.
    if (!screen_.HasCapturePicture()) return;
    screen_.CopyScreenToCapturePicture(ClientAreaOf(fe_.form.ControlSize(Control::pic0)));
    screen_.ShowCapturePictureInPreview();
    if (!fe_.state.Grabando || stoppedByWriteFailure_) return;
    SaveFrame();
}

bool Recorder::SaveFrame() {
    auto& state = fe_.state;
    const std::string path = FrameFilePath(fe_.appDir, state.Numero);
    const auto bytes = screen_.CapturePictureBytes();
    if (!bytes || !WriteBmpFile(path, bytes->bitmapInfo, bytes->bits)) {
        StopAfterWriteFailure(path);
        return false;
    }
    fe_.form.ListAdd(path);
    state.Numero += 1;
    fe_.form.SetCaption(FramesCapturedCaption(state.Numero));
    return true;
}

void Recorder::StopAfterWriteFailure(const std::string& path) {
    // Stopped before the message: timer ticks reach us while it is open.
    stoppedByWriteFailure_ = true;
    fe_.form.SetTimerInterval(0);
    fe_.messages.Show(kFrameNotWrittenText + "\r\n" + path + "\r\n" + kRecordingStoppedText, kApplicationTitle,
                      MsgBox::OkOnly | MsgBox::Exclamation);
}

void Recorder::EndRecording() {
    auto& form = fe_.form;
    if (form.CheckValue(Control::Check2) != 0 || !fe_.state.Grabando) return;
    fe_.state.Grabando = false;
    SetStop(1);
    form.SetControlEnabled(Control::Check2, false);
    form.SetControlVisible(Control::cmd, true);
    form.SetControlVisible(Control::lst, true);
    // A failed save keeps the frames and leaves "Save" showing for another try.
    if (ConsumesRecording(SaveRecordedFrames())) form.ListClear();
    SetStop(0);
    form.SetControlEnabled(Control::Check2, true);
}

void Recorder::cmd_Click() {
    auto& form = fe_.form;
    form.SetControlVisible(Control::cmd, false);
    form.SetControlVisible(Control::lst, false);
    if (ConsumesRecording(SaveRecordedFrames())) {
        form.ListClear();
    } else {
        form.SetControlVisible(Control::cmd, true);
        form.SetControlVisible(Control::lst, true);
    }
    SetStop(0);
    form.SetControlEnabled(Control::Check2, true);
}

SaveResult Recorder::SaveRecordedFrames() {
    fe_.form.SetTimerInterval(kTimerWhileSaving);
    const SaveResult result = writer_.SaveVideo(*this);
    ApplyIntervalRule();
    if (ConsumesRecording(result)) DeleteFrameFiles(fe_.appDir, fe_.state.Numero);
    return result;
}

void Recorder::Check2_Click() {
    if (fe_.form.CheckValue(Control::Check2) == 1)
        fe_.form.SetTimerInterval(0);
    else
        ApplyIntervalRule();
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
    if (keyCode != kDeleteKey || form.ListCount() <= 1) return;
    const int selected = form.ListIndex();
    if (selected < 0) return;  // nothing selected: nothing to remove
    form.ListRemove(selected);
    form.SetListIndex(0);
    lst_Click();
}

void Recorder::ApplyIntervalRule() {
    fe_.form.SetTimerInterval(TimerIntervalFromText(fe_.form.ControlText(Control::Text1)));
}

void Recorder::SetStop(int value) {
    if (fe_.form.CheckValue(Control::Check2) == value) return;
    fe_.form.SetCheckValue(Control::Check2, value);
    Check2_Click();
}

}  // namespace vfe
