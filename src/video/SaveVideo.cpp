#include "video/SaveVideo.h"

#include <string>

#include "platform/Rounding.h"
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

// The frame list changes its selection without redrawing while this lives, and redraws
// once when it goes: a redraw per frame would cost more than reading the frame.
class ListRedrawHeld {
public:
    explicit ListRedrawHeld(MainWindowControls& form) : form_(form) { form_.HoldListRedraw(true); }
    ~ListRedrawHeld() { form_.HoldListRedraw(false); }
    ListRedrawHeld(const ListRedrawHeld&) = delete;
    ListRedrawHeld& operator=(const ListRedrawHeld&) = delete;

private:
    MainWindowControls& form_;
};

// One run of the writer over the library: each step leaves at once when it fails,
// noting where.
class AviWriteRun {
public:
    AviWriteRun(FrontEnd& fe, mAVIDecs& avi, FrameListSelection& list, const std::string& path)
        : fe_(fe), avi_(avi), list_(list), path_(path) {}

    // Every step from opening the file to the last frame.
    SaveOutcome Write(AviSession& session, cDIB& frame) {
        if (!Succeeded(avi_.AVIFileOpen(&session.file, path_, kOF_WRITE | kOF_CREATE), SaveStep::OpenFile))
            return SaveOutcome::Failed;

        if (!SelectAndLoad(0, frame)) {
            fe_.messages.Show("No File!", "KO!", MsgBox::OkOnly | MsgBox::Exclamation);
            failedAt = SaveStep::LoadFirstFrame;
            return SaveOutcome::Failed;
        }
        if (!Succeeded(avi_.AVIFileCreateStreamA(session.file, &session.plain, StreamInfoFor(frame)),
                       SaveStep::CreateStream))
            return SaveOutcome::Failed;

        const std::int32_t answer = avi_.AVISaveOptions(kICMF_CHOOSE_KEYFRAME | kICMF_CHOOSE_DATARATE, 1,
                                                        &session.plain, session.optionList);
        if (answer != kDialogConfirmed) {
            avi_.AVISaveOptionsFree(1, session.optionList);
            result = answer;
            if (answer == kDialogCancelled) return SaveOutcome::Cancelled;
            failedAt = SaveStep::CompressionDialog;
            return SaveOutcome::Failed;
        }
        session.optionsConfirmed = true;

        if (!Succeeded(avi_.AVIMakeCompressedStream(&session.compressed, session.plain, session.options),
                       SaveStep::MakeCompressedStream))
            return SaveOutcome::Failed;
        // The first frame's format stands for all frames.
        if (!Succeeded(avi_.AVIStreamSetFormat(session.compressed, 0, frame.PointerToBitmapInfo(),
                                               frame.SizeBitmapInfo()),
                       SaveStep::SetStreamFormat))
            return SaveOutcome::Failed;
        return WriteFrames(session, frame);
    }

    AviResult result = 0;  // the library's last answer; not 0 means "Error!"
    SaveStep failedAt = SaveStep::None;
    int failedFrame = -1;

private:
    bool Succeeded(AviResult answer, SaveStep step) {
        result = answer;
        if (answer != 0) failedAt = step;
        return answer == 0;
    }

    // Selects entry `index` and loads its file; the list's owner shows the frame from the
    // bytes just read. A frame that fails to load was reported by cDIB and is not shown.
    bool SelectAndLoad(int index, cDIB& frame) {
        fe_.form.SetListIndex(index);
        if (!frame.CreateFromFile(fe_.form.ListItem(index))) return false;
        list_.ShowSelectedFrame(
            {{frame.PointerToBitmapInfo(), static_cast<std::size_t>(frame.SizeBitmapInfo())},
             {frame.PointerToBits(), static_cast<std::size_t>(frame.SizeImage())}});
        return true;
    }

    AviStreamInfo StreamInfoFor(const cDIB& firstFrame) {
        AviStreamInfo info;
        info.fccType = avi_.mmioStringToFOURCCA("vids", 0);
        info.fccHandler = 0;
        info.dwScale = 1;
        info.dwRate = kFramesPerSecond;
        info.dwSuggestedBufferSize = static_cast<std::uint32_t>(firstFrame.SizeImage());
        info.rcFrame = {0, 0, RoundHalfToEvenInt32(fe_.state.TamanoCuadroW), RoundHalfToEvenInt32(fe_.state.TamanoCuadroH)};
        return info;
    }

    SaveOutcome WriteFrames(AviSession& session, cDIB& frame) {
        const int count = fe_.form.ListCount();
        ListRedrawHeld held(fe_.form);
        for (int i = 0; i < count; ++i) {
            // A frame that fails to load was reported by cDIB; the previous frame's
            // pixels, still held, stand in for it.
            SelectAndLoad(i, frame);
            if (!Succeeded(avi_.AVIStreamWrite(session.compressed, i, 1, frame.PointerToBits(), frame.SizeImage(),
                                               kAVIIF_KEYFRAME),
                           SaveStep::WriteFrame)) {
                failedFrame = i;
                return SaveOutcome::Failed;
            }
            fe_.form.SetCaption("Frame: " + std::to_string(i) + " of " + std::to_string(fe_.form.ListCount()));
        }
        return SaveOutcome::Saved;
    }

    FrontEnd& fe_;
    mAVIDecs& avi_;
    FrameListSelection& list_;
    const std::string& path_;
};

void RestoreWindow(FrontEnd& fe, const std::string& caption) {
    fe.form.SetCaption(caption);
    fe.form.SetBusyCursor(false);
}

void ShowError(FrontEnd& fe) { fe.messages.Show("Error!", "KO!", MsgBox::OkOnly | MsgBox::Information); }

}  // namespace

SaveResult SaveVideo(FrontEnd& fe, mAVIDecs& avi, Clock& clock, FrameListSelection& list) {
    auto& form = fe.form;
    const std::string caption = fe.state.cCaption.empty() ? form.Caption() : fe.state.cCaption;

    // Without a first frame there is nothing to size the stream with: no file, no dialog.
    if (form.ListCount() <= 0) {
        form.SetCaption(caption);
        return {SaveOutcome::NothingToSave, SaveStep::None, -1, {}};
    }

    form.SetBusyCursor(true);
    const auto path = FreeVideoPath(fe.appDir, clock.SecondsOfDay());
    if (!path) {
        RestoreWindow(fe, caption);
        ShowError(fe);
        return {SaveOutcome::Failed, SaveStep::FindFreeName, -1, {}};
    }

    AviWriteRun run(fe, avi, list, *path);
    SaveOutcome outcome = SaveOutcome::Failed;
    {
        AviSession session(avi);
        cDIB frame(fe.messages);  // dropped first at the exit, before the handles go
        outcome = run.Write(session, frame);
    }
    // The file is finished only as the library lets it go, which reports nothing: the
    // file itself must show that it took everything before it counts as saved.
    if (outcome == SaveOutcome::Saved && !IsWholeRiffFile(*path)) {
        outcome = SaveOutcome::Failed;
        run.failedAt = SaveStep::FinishFile;
    }
    RestoreWindow(fe, caption);
    if (outcome == SaveOutcome::Saved) fe.messages.Show("Saved " + *path, "Video file saved succesfully!", MsgBox::OkOnly);
    if (run.failedAt == SaveStep::FinishFile)
        fe.messages.Show(kVideoIncompleteText + "\r\n" + *path + "\r\n" + kFramesKeptText, kApplicationTitle,
                         MsgBox::OkOnly | MsgBox::Exclamation);
    if (run.result != 0) ShowError(fe);
    return {outcome, run.failedAt, run.failedFrame, *path};
}

}  // namespace vfe
