#include "video/SaveVideo.h"

#include <string>

#include "capture/IntervalRule.h"
#include "video/VideoFiles.h"
#include "video/cDIB.h"

namespace vfe {

namespace {

constexpr std::int32_t kFramesPerSecond = 5;
constexpr std::int32_t kDialogConfirmed = 1;
constexpr std::int32_t kDialogCancelled = 0;

// The library's handles and options for one save. Its end is the writer's one exit: the
// plain stream, the compressed stream and the file are released (each only if obtained),
// the library use ends, and options the user confirmed are freed.
class AviSession {
public:
    explicit AviSession(mAVIDecs& avi) : avi_(avi) { avi_.AVIFileInit(); }
    ~AviSession() {
        if (plain) avi_.AVIStreamRelease(plain);
        if (compressed) avi_.AVIStreamRelease(compressed);
        if (file) avi_.AVIFileRelease(file);
        avi_.AVIFileExit();
        if (optionsConfirmed) avi_.AVISaveOptionsFree(1, optionList);
    }
    AviSession(const AviSession&) = delete;
    AviSession& operator=(const AviSession&) = delete;

    PAVIFILE file = nullptr;
    PAVISTREAM plain = nullptr;
    PAVISTREAM compressed = nullptr;
    AviCompressOptions options{};
    AviCompressOptions* optionList[1] = {&options};
    bool optionsConfirmed = false;

private:
    mAVIDecs& avi_;
};

enum class WriteEnd { Written, Cancelled, Failed };

class VideoWriter {
public:
    VideoWriter(FrontEnd& fe, mAVIDecs& avi, const std::function<void()>& lst_Click, const std::string& path)
        : fe_(fe), avi_(avi), lst_Click_(lst_Click), path_(path) {}

    // Every step from opening the file to the last frame; any failure leaves at once.
    WriteEnd Write(AviSession& session, cDIB& frame) {
        result = avi_.AVIFileOpen(&session.file, path_, kOF_WRITE | kOF_CREATE);
        if (result != 0) return WriteEnd::Failed;

        Select(0);
        if (!frame.CreateFromFile(fe_.form.ListItem(0))) {
            fe_.messages.Show("No File!", "KO!", MsgBox::OkOnly | MsgBox::Exclamation);
            return WriteEnd::Failed;
        }
        result = avi_.AVIFileCreateStreamA(session.file, &session.plain, StreamInfoFor(frame));
        if (result != 0) return WriteEnd::Failed;

        const std::int32_t answer = avi_.AVISaveOptions(kICMF_CHOOSE_KEYFRAME | kICMF_CHOOSE_DATARATE, 1,
                                                        &session.plain, session.optionList);
        if (answer != kDialogConfirmed) {
            avi_.AVISaveOptionsFree(1, session.optionList);
            result = answer;
            return answer == kDialogCancelled ? WriteEnd::Cancelled : WriteEnd::Failed;
        }
        session.optionsConfirmed = true;

        result = avi_.AVIMakeCompressedStream(&session.compressed, session.plain, session.options);
        if (result != 0) return WriteEnd::Failed;
        // The first frame's format stands for all frames.
        result = avi_.AVIStreamSetFormat(session.compressed, 0, frame.PointerToBitmapInfo(), frame.SizeBitmapInfo());
        if (result != 0) return WriteEnd::Failed;
        return WriteFrames(session, frame);
    }

    AviResult result = 0;

private:
    void Select(int index) {
        fe_.form.SetListIndex(index);
        if (lst_Click_) lst_Click_();
    }

    AviStreamInfo StreamInfoFor(const cDIB& firstFrame) {
        AviStreamInfo info;
        info.fccType = avi_.mmioStringToFOURCCA("vids", 0);
        info.fccHandler = 0;
        info.dwScale = 1;
        info.dwRate = kFramesPerSecond;
        info.dwSuggestedBufferSize = static_cast<std::uint32_t>(firstFrame.SizeImage());
        info.rcFrame = {0, 0, RoundHalfEven(fe_.state.TamanoCuadroW), RoundHalfEven(fe_.state.TamanoCuadroH)};
        return info;
    }

    WriteEnd WriteFrames(AviSession& session, cDIB& frame) {
        const int count = fe_.form.ListCount();
        for (int i = 0; i < count; ++i) {
            Select(i);
            // A frame that fails to load was reported by cDIB; the previous frame's
            // pixels, still held, stand in for it.
            frame.CreateFromFile(fe_.form.ListItem(i));
            result = avi_.AVIStreamWrite(session.compressed, i, 1, frame.PointerToBits(), frame.SizeImage(),
                                         kAVIIF_KEYFRAME);
            if (result != 0) return WriteEnd::Failed;
            fe_.form.SetCaption("Frame: " + std::to_string(i) + " of " + std::to_string(fe_.form.ListCount()));
        }
        return WriteEnd::Written;
    }

    FrontEnd& fe_;
    mAVIDecs& avi_;
    const std::function<void()>& lst_Click_;
    const std::string& path_;
};

void RestoreTimerFromText(FrontEnd& fe) {
    fe.form.SetTimerInterval(TimerIntervalFromText(fe.form.ControlText(Control::Text1)));
}

void RestoreWindow(FrontEnd& fe, const std::string& caption) {
    fe.form.SetCaption(caption);
    fe.form.SetBusyCursor(false);
    RestoreTimerFromText(fe);
}

void ShowError(FrontEnd& fe) { fe.messages.Show("Error!", "KO!", MsgBox::OkOnly | MsgBox::Information); }

SaveOutcome OutcomeOf(WriteEnd end) {
    switch (end) {
        case WriteEnd::Written: return SaveOutcome::Saved;
        case WriteEnd::Cancelled: return SaveOutcome::Cancelled;
        case WriteEnd::Failed: break;
    }
    return SaveOutcome::Failed;
}

}  // namespace

SaveOutcome SaveVideo(FrontEnd& fe, mAVIDecs& avi, Clock& clock, const std::function<void()>& lst_Click) {
    auto& form = fe.form;
    const std::string caption = fe.state.cCaption.empty() ? form.Caption() : fe.state.cCaption;

    // Without a first frame there is nothing to size the stream with: no file, no dialog.
    if (form.ListCount() <= 0) {
        form.SetCaption(caption);
        DeleteRecordedFrames(fe.appDir, fe.state.Numero);
        return SaveOutcome::NothingToSave;
    }

    form.SetTimerInterval(10);
    form.SetBusyCursor(true);
    const auto path = FreeVideoPath(fe.appDir, clock.SecondsOfDay());
    if (!path) {
        RestoreWindow(fe, caption);
        ShowError(fe);
        return SaveOutcome::Failed;
    }

    VideoWriter writer(fe, avi, lst_Click, *path);
    WriteEnd end = WriteEnd::Failed;
    {
        AviSession session(avi);
        cDIB frame(fe.messages);  // dropped first at the exit, before the handles go
        end = writer.Write(session, frame);
        if (end == WriteEnd::Written) {
            form.SetCaption(caption);
            fe.messages.Show("Saved " + *path, "Video file saved succesfully!", MsgBox::OkOnly);
            form.SetBusyCursor(false);
            RestoreTimerFromText(fe);
        }
    }
    if (end != WriteEnd::Written) RestoreWindow(fe, caption);
    if (writer.result != 0) ShowError(fe);
    // A failed save keeps the frames so the user can try again, with another compressor.
    if (end != WriteEnd::Failed) DeleteRecordedFrames(fe.appDir, fe.state.Numero);
    return OutcomeOf(end);
}

}  // namespace vfe
