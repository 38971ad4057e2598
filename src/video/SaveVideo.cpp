#include "video/SaveVideo.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/Rounding.h"
#include "platform/ScopeExit.h"
#include "video/AviFileCheck.h"
#include "video/VideoFiles.h"
#include "video/cDIB.h"

namespace vfe {

namespace {

constexpr std::int32_t kFramesPerSecond = 5;
constexpr std::int32_t kDialogConfirmed = 1;
constexpr std::int32_t kDialogCancelled = 0;

// Each frame adds its chunk header, a pad byte at most, and its entry in the index.
constexpr std::int64_t kFrameOverheadBytes = 8 + 1 + 16;

// The library's use for one save: AVIFileInit now, AVIFileExit at the end, and after it the
// options the user confirmed are freed. Nothing it does on the way out throws.
class AviSession {
public:
    explicit AviSession(mAVIDecs& avi) : avi_(avi) { avi_.AVIFileInit(); }
    ~AviSession() {
        Quietly([&] { avi_.AVIFileExit(); });
        if (optionsConfirmed) Quietly([&] { avi_.AVISaveOptionsFree(1, optionList); });
    }
    AviSession(const AviSession&) = delete;
    AviSession& operator=(const AviSession&) = delete;

    AviCompressOptions options{};
    AviCompressOptions* optionList[1] = {&options};
    bool optionsConfirmed = false;

private:
    mAVIDecs& avi_;
};

// The handles of the video file being written. Letting them go releases the plain stream,
// then the compressed stream, then the file, each only if obtained: the library finishes
// the file then. Nothing it does throws.
class AviFileHandles {
public:
    explicit AviFileHandles(mAVIDecs& avi) : avi_(avi) {}
    ~AviFileHandles() { Release(); }
    AviFileHandles(const AviFileHandles&) = delete;
    AviFileHandles& operator=(const AviFileHandles&) = delete;

    void Release() noexcept {
        if (plain) Quietly([&] { avi_.AVIStreamRelease(std::exchange(plain, nullptr)); });
        if (compressed) Quietly([&] { avi_.AVIStreamRelease(std::exchange(compressed, nullptr)); });
        if (file) Quietly([&] { avi_.AVIFileRelease(std::exchange(file, nullptr)); });
    }

    PAVIFILE file = nullptr;
    PAVISTREAM plain = nullptr;
    PAVISTREAM compressed = nullptr;

private:
    mAVIDecs& avi_;
};

// The frame list changes its selection without redrawing while this lives, and redraws
// once when it goes: a redraw per frame would cost more than reading the frame.
class ListRedrawHeld {
public:
    explicit ListRedrawHeld(MainWindowControls& form) : form_(form) { form_.HoldListRedraw(true); }
    ~ListRedrawHeld() {
        Quietly([&] { form_.HoldListRedraw(false); });
    }
    ListRedrawHeld(const ListRedrawHeld&) = delete;
    ListRedrawHeld& operator=(const ListRedrawHeld&) = delete;

private:
    MainWindowControls& form_;
};

// The caption and the cursor put back on every way out of the save, an exception's too.
class WindowRestored {
public:
    WindowRestored(MainWindowControls& form, std::string caption) : form_(form), caption_(std::move(caption)) {}
    ~WindowRestored() { Restore(); }
    WindowRestored(const WindowRestored&) = delete;
    WindowRestored& operator=(const WindowRestored&) = delete;

    void Restore() noexcept {
        if (std::exchange(restored_, true)) return;
        Quietly([&] { form_.SetCaption(caption_); });
        Quietly([&] { form_.SetBusyCursor(false); });
    }

private:
    MainWindowControls& form_;
    std::string caption_;
    bool restored_ = false;
};

std::string FramesText(int count) { return std::to_string(count) + (count == 1 ? " frame" : " frames"); }

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

// One save over the library: file after file, each step leaving at once when it fails,
// noting where.
class VideoSave {
public:
    VideoSave(FrontEnd& fe, mAVIDecs& avi, FrameListSelection& list, int secondsOfDay, std::int64_t fileLimit)
        : fe_(fe), avi_(avi), list_(list), secondsOfDay_(secondsOfDay), fileLimit_(fileLimit) {}

    void Run() { outcome_ = Write(); }

    // Tells the person how it went, once.
    void Report() {
        if (outcome_ == SaveOutcome::Saved) {
            fe_.messages.Show("Saved " + Lines(savedFiles_), "Video file saved succesfully!", MsgBox::OkOnly);
        } else if (failedAt_ == SaveStep::FinishFile) {
            fe_.messages.Show(kVideoIncompleteText + "\r\n" + path_ + "\r\n" + KeptText(), kApplicationTitle,
                              MsgBox::OkOnly | MsgBox::Exclamation);
        } else if (result_ != 0 || failedAt_ == SaveStep::FindFreeName) {
            fe_.messages.Show(savedFiles_.empty() ? "Error!" : "Error!\r\n" + KeptText(), "KO!",
                              MsgBox::OkOnly | MsgBox::Information);
        }
    }

    SaveResult Result() const { return {outcome_, failedAt_, path_, savedFiles_, framesSaved_}; }

private:
    // Every step from opening the first file to finishing the last.
    SaveOutcome Write() {
        AviSession session(avi_);
        AviFileHandles video(avi_);
        cDIB frame(fe_.messages);  // dropped first at the exit, before the handles go
        if (!OpenNextFile(video)) return SaveOutcome::Failed;

        if (!SelectAndLoad(0, frame)) {
            fe_.messages.Show("No File!", "KO!", MsgBox::OkOnly | MsgBox::Exclamation);
            failedAt_ = SaveStep::LoadFirstFrame;
            return SaveOutcome::Failed;
        }
        // The first frame describes the stream, and its format stands for all frames, in
        // every file of the save.
        streamInfo_ = StreamInfoFor(frame);
        format_.assign(frame.PointerToBitmapInfo(), frame.PointerToBitmapInfo() + frame.SizeBitmapInfo());
        if (!CreateStream(video)) return SaveOutcome::Failed;

        const std::int32_t answer = avi_.AVISaveOptions(kICMF_CHOOSE_KEYFRAME | kICMF_CHOOSE_DATARATE, 1,
                                                        &video.plain, session.optionList);
        if (answer != kDialogConfirmed) {
            avi_.AVISaveOptionsFree(1, session.optionList);
            result_ = answer;
            if (answer == kDialogCancelled) return SaveOutcome::Cancelled;
            failedAt_ = SaveStep::CompressionDialog;
            return SaveOutcome::Failed;
        }
        session.optionsConfirmed = true;
        options_ = &session.options;

        if (!Compress(video)) return SaveOutcome::Failed;
        return WriteFrames(video, frame);
    }

    bool Succeeded(AviResult answer, SaveStep step) {
        result_ = answer;
        if (answer != 0) failedAt_ = step;
        return answer == 0;
    }

    // The next free name of the save's time of day, opened anew.
    bool OpenNextFile(AviFileHandles& video) {
        const auto path = FreeVideoPath(fe_.appDir, secondsOfDay_);
        if (!path) {
            failedAt_ = SaveStep::FindFreeName;
            return false;
        }
        path_ = *path;
        fileBytes_ = kVideoHeaderBytes;
        return Succeeded(avi_.AVIFileOpen(&video.file, path_, kOF_WRITE | kOF_CREATE), SaveStep::OpenFile);
    }

    bool CreateStream(AviFileHandles& video) {
        return Succeeded(avi_.AVIFileCreateStreamA(video.file, &video.plain, streamInfo_), SaveStep::CreateStream);
    }

    // The compressed stream with the options the user confirmed, and the first frame's format.
    bool Compress(AviFileHandles& video) {
        return Succeeded(avi_.AVIMakeCompressedStream(&video.compressed, video.plain, *options_),
                         SaveStep::MakeCompressedStream) &&
               Succeeded(avi_.AVIStreamSetFormat(video.compressed, 0, format_.data(),
                                                 static_cast<std::int32_t>(format_.size())),
                         SaveStep::SetStreamFormat);
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

    // The entries of the files finished before this one have left the list, so the next
    // frame to write is entry `framesInFile_`, at that position of the current file.
    SaveOutcome WriteFrames(AviFileHandles& video, cDIB& frame) {
        auto& form = fe_.form;
        ListRedrawHeld held(form);
        while (framesInFile_ < form.ListCount()) {
            if (framesInFile_ > 0 && !RoomForAnother(frame)) {
                if (!FinishFile(video) || !StartNextFile(video)) return SaveOutcome::Failed;
                continue;
            }
            const int entry = framesInFile_;
            // A frame that fails to load was reported by cDIB; the previous frame's
            // pixels, still held, stand in for it.
            SelectAndLoad(entry, frame);
            if (!WriteFrame(video, frame, entry)) return SaveOutcome::Failed;
            ++framesInFile_;
            form.SetCaption("Frame: " + std::to_string(framesSaved_ + entry) + " of " +
                            std::to_string(framesSaved_ + form.ListCount()));
        }
        return FinishFile(video) ? SaveOutcome::Saved : SaveOutcome::Failed;
    }

    bool WriteFrame(AviFileHandles& video, const cDIB& frame, int position) {
        std::int32_t written = 0;
        if (!Succeeded(avi_.AVIStreamWrite(video.compressed, position, 1, frame.PointerToBits(), frame.SizeImage(),
                                           kAVIIF_KEYFRAME, &written),
                       SaveStep::WriteFrame))
            return false;
        // A library that does not say what it wrote is taken to have written the frame as is.
        const std::int64_t bytes = written > 0 ? written : std::max<std::int64_t>(frame.SizeImage(), 0);
        fileBytes_ += bytes + kFrameOverheadBytes;
        largestFrame_ = std::max(largestFrame_, bytes);
        return true;
    }

    // Whether one more frame, as large as the largest so far or as the one held, still
    // leaves the file below the limit.
    bool RoomForAnother(const cDIB& frame) const {
        const std::int64_t next = std::max<std::int64_t>(largestFrame_, frame.SizeImage());
        return fileBytes_ + next + kFrameOverheadBytes <= fileLimit_;
    }

    // Lets the file go and checks what the library made of it; only a whole file counts. The
    // frames of a whole file that more frames follow leave the list and the disk at once, for
    // room; the last file's go with the recording, after "Saved".
    bool FinishFile(AviFileHandles& video) {
        video.Release();
        if (!IsWholeVideo(path_, framesInFile_)) {
            failedAt_ = SaveStep::FinishFile;
            return false;
        }
        savedFiles_.push_back(path_);
        const bool moreFollow = framesInFile_ < fe_.form.ListCount();
        const int frames = std::exchange(framesInFile_, 0);
        framesSaved_ += frames;
        if (moreFollow) list_.FramesInVideo(frames);
        return true;
    }

    bool StartNextFile(AviFileHandles& video) { return OpenNextFile(video) && CreateStream(video) && Compress(video); }

    // After a failure past the first file: what is saved where, and what stays for "Save".
    std::string KeptText() const {
        if (savedFiles_.empty()) return kFramesKeptText;
        const int kept = fe_.form.ListCount();
        return "Saved " + FramesText(framesSaved_) + " in:\r\n" + Lines(savedFiles_) + "\r\nThe other " +
               FramesText(kept) + (kept == 1 ? " is" : " are") + " kept: press Save to try again.";
    }

    FrontEnd& fe_;
    mAVIDecs& avi_;
    FrameListSelection& list_;
    const int secondsOfDay_;
    const std::int64_t fileLimit_;

    AviStreamInfo streamInfo_;
    std::vector<std::uint8_t> format_;
    const AviCompressOptions* options_ = nullptr;

    std::string path_;
    int framesInFile_ = 0;
    std::int64_t fileBytes_ = 0;
    std::int64_t largestFrame_ = 0;

    SaveOutcome outcome_ = SaveOutcome::Failed;
    AviResult result_ = 0;  // the library's last answer; not 0 means "Error!"
    SaveStep failedAt_ = SaveStep::None;
    std::vector<std::string> savedFiles_;
    int framesSaved_ = 0;
};

}  // namespace

SaveResult SaveVideo(FrontEnd& fe, mAVIDecs& avi, Clock& clock, FrameListSelection& list, std::int64_t fileLimit) {
    auto& form = fe.form;
    const std::string caption = fe.state.cCaption.empty() ? form.Caption() : fe.state.cCaption;

    // Without a first frame there is nothing to size the stream with: no file, no dialog.
    if (form.ListCount() <= 0) {
        form.SetCaption(caption);
        return {};
    }

    WindowRestored restored(form, caption);
    form.SetBusyCursor(true);
    VideoSave save(fe, avi, list, clock.SecondsOfDay(), fileLimit);
    save.Run();
    restored.Restore();
    save.Report();
    return save.Result();
}

}  // namespace vfe
