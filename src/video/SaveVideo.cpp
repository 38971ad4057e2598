#include "video/SaveVideo.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "platform/FileFacts.h"
#include "platform/PacedCaption.h"
#include "platform/Rounding.h"
#include "platform/ScopeExit.h"
#include "video/AviFileCheck.h"
#include "video/AviSaveHandles.h"
#include "video/FrameConversion.h"
#include "video/FrameFingerprint.h"
#include "video/VideoFiles.h"
#include "video/cDIB.h"

namespace vfe {

namespace {

constexpr std::int32_t kFramesPerSecond = 5;
constexpr std::int32_t kDialogConfirmed = 1;
constexpr std::int32_t kDialogCancelled = 0;

// What "Full Frames (Uncompressed)" answers: the frames are stored as they are.
constexpr FOURCC kUncompressedHandler = 0x20424944;  // "DIB "
constexpr const char* kUncompressedName = "Full Frames (Uncompressed)";
constexpr std::int64_t kBytesPerMegabyte = 1'000'000;

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

bool StoresFramesAsTheyAre(const AviCompressOptions& options) {
    return options.fccHandler == 0 || options.fccHandler == kUncompressedHandler;
}

// The four characters of a compressor's code, for one whose name cannot be had.
std::string FourCCText(FOURCC code) {
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) text += static_cast<char>((code >> shift) & 0xFF);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

BitmapBytes BytesOf(const cDIB& frame) {
    return {{frame.PointerToBitmapInfo(), static_cast<std::size_t>(frame.SizeBitmapInfo())},
            {frame.PointerToBits(), static_cast<std::size_t>(frame.SizeImage())}};
}

std::string NoRoomText(std::int64_t needed, std::uint64_t free) {
    const auto up = (needed + kBytesPerMegabyte - 1) / kBytesPerMegabyte;
    const auto down = free / static_cast<std::uint64_t>(kBytesPerMegabyte);
    return "The disk has too little room for the video: it needs " + std::to_string(up) + " MB, and " +
           std::to_string(down) + " MB are free.";
}

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
    VideoSave(FrontEnd& fe, mAVIDecs& avi, FrameListSelection& list, std::int64_t fileLimit)
        : fe_(fe), avi_(avi), list_(list), secondsOfDay_(fe.clock.SecondsOfDay()), fileLimit_(fileLimit),
          progress_(fe.form, fe.clock),
          answering_(fe.clock),
          previewing_(fe.clock) {}

    void Run() {
        outcome_ = RoomToStart() ? Write() : SaveOutcome::Failed;
        // A file this save began and did not finish whole is known to be broken: it would
        // only take the room another try needs.
        if (outcome_ == SaveOutcome::Failed && unfinished_) std::remove(path_.c_str());
    }

    // Tells the person how it went, once.
    void Report() {
        if (outcome_ == SaveOutcome::Saved) {
            fe_.messages.Show("Saved " + Lines(savedFiles_), "Video file saved succesfully!", MsgBox::OkOnly);
        } else if (failedAt_ == SaveStep::FinishFile) {
            fe_.messages.Show(kVideoIncompleteText + "\r\n" + path_ + "\r\n" + KeptText(), kApplicationTitle,
                              MsgBox::OkOnly | MsgBox::Exclamation);
        } else if (failedAt_ == SaveStep::DiskRoom) {
            fe_.messages.Show(NoRoomText(roomNeeded_, roomFree_) + "\r\n" + KeptText(), kApplicationTitle,
                              MsgBox::OkOnly | MsgBox::Exclamation);
        } else if (failedAt_ == SaveStep::FramesRefused) {
            fe_.messages.Show("Error!\r\nThe compressor \"" + refusingCompressor_ + "\" cannot compress these frames.\r\n" +
                                  (savedFiles_.empty() ? "The frames are kept: press Save to choose another." : KeptText()),
                              "KO!", MsgBox::OkOnly | MsgBox::Information);
        } else if (result_ != 0 || failedAt_ == SaveStep::FindFreeName || failedAt_ == SaveStep::LoadFrame) {
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
        if (!OpenNextFile(video) || !LoadFirstFrame(frame)) return SaveOutcome::Failed;
        DescribeStreamBy(frame);
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
        fingerprinted_ = StoresFramesAsTheyAre(session.options);

        if (!Compress(video, frame)) return SaveOutcome::Failed;
        return WriteFrames(video, frame);
    }

    // The disk takes the first file of the video, as the recording left room for it.
    bool RoomToStart() {
        const auto free = fe_.disk.FreeBytes(fe_.appDir);
        if (!free) return true;  // the system cannot say: the file's own check tells
        std::int64_t largest = 0;
        for (int entry = 0; entry < fe_.form.ListCount(); ++entry)
            largest = std::max(largest, FileLength(fe_.form.ListItem(entry)).value_or(0));
        const std::int64_t needed = FirstVideoFileBytes(fe_.form.ListCount(), largest, fileLimit_);
        if (*free >= static_cast<std::uint64_t>(needed)) return true;
        failedAt_ = SaveStep::DiskRoom;
        roomNeeded_ = needed;
        roomFree_ = *free;
        return false;
    }

    // Frames that cannot be read before the first that can are left out of the video (cDIB
    // said why); they stay listed and go with the recording. Without any frame to describe
    // the stream there is nothing to save.
    bool LoadFirstFrame(cDIB& frame) {
        for (; keptAhead_ < fe_.form.ListCount(); ++keptAhead_) {
            if (SelectAndLoad(keptAhead_, frame)) return true;
            if (frame.LoadLackedMemory()) {
                failedAt_ = SaveStep::LoadFrame;
                return false;
            }
        }
        fe_.messages.Show("No File!", "KO!", MsgBox::OkOnly | MsgBox::Exclamation);
        failedAt_ = SaveStep::LoadFirstFrame;
        return false;
    }

    bool Succeeded(AviResult answer, SaveStep step) {
        result_ = answer;
        if (answer != 0) failedAt_ = step;
        return answer == 0;
    }

    // The next free name of the save's time of day, opened anew: whatever stands under it
    // from now on is this save's own.
    bool OpenNextFile(AviFileHandles& video) {
        const auto path = FreeVideoPath(fe_.appDir, secondsOfDay_);
        if (!path) {
            failedAt_ = SaveStep::FindFreeName;
            return false;
        }
        path_ = *path;
        unfinished_ = true;
        fileBytes_ = kVideoHeaderBytes;
        return Succeeded(avi_.AVIFileOpen(&video.file, path_, kOF_WRITE | kOF_CREATE), SaveStep::OpenFile);
    }

    // The stream of the next file takes this frame's format, which stands for all its frames.
    void DescribeStreamBy(const cDIB& frame) {
        streamInfo_ = StreamInfoFor(frame);
        format_.assign(frame.PointerToBitmapInfo(), frame.PointerToBitmapInfo() + frame.SizeBitmapInfo());
    }

    bool HasStreamFormat(const cDIB& frame) const {
        return std::equal(format_.begin(), format_.end(), frame.PointerToBitmapInfo(),
                          frame.PointerToBitmapInfo() + frame.SizeBitmapInfo());
    }

    bool CreateStream(AviFileHandles& video) {
        return Succeeded(avi_.AVIFileCreateStreamA(video.file, &video.plain, streamInfo_), SaveStep::CreateStream);
    }

    // The compressed stream with the options the user confirmed, in the first format that the
    // compressor takes the frames in: their own (the format the file's first frame has), or
    // converted to 24, 16 or 8 bits per pixel; the format taken for the first file is offered
    // first to the next. A refused stream is not reused: each try makes one anew.
    bool Compress(AviFileHandles& video, const cDIB& frame) {
        std::vector<FrameFormat> tries = FormatsToTry(format_);
        if (taken_) tries.insert(tries.begin(), *taken_);
        for (const FrameFormat format : tries) {
            if (!Succeeded(avi_.AVIMakeCompressedStream(&video.compressed, video.plain, *options_),
                           SaveStep::MakeCompressedStream))
                return false;
            const auto offered = Offered(format, frame);
            if (offered && avi_.AVIStreamSetFormat(video.compressed, 0, offered->bitmapInfo.data(),
                                                   static_cast<std::int32_t>(offered->bitmapInfo.size())) == 0) {
                taken_ = format;
                return true;
            }
            video.ReleaseCompressed();
        }
        return Refused();
    }

    bool Refused() {
        failedAt_ = SaveStep::FramesRefused;
        refusingCompressor_ = avi_.CompressorName(options_->fccHandler);
        // The dialog's own entry has no compressor to tell its name.
        if (refusingCompressor_.empty())
            refusingCompressor_ = fingerprinted_ ? kUncompressedName : FourCCText(options_->fccHandler);
        return false;
    }

    // The frame in `format`, as the compressor is offered it. The 8-bit palette is made once,
    // from the first frame offered in 8 bits: the one palette of the video.
    std::optional<BitmapBytes> Offered(FrameFormat format, const cDIB& frame) {
        if (format == FrameFormat::Own) return BytesOf(frame);
        if (!converter_ || converterFormat_ != format) {
            converter_.emplace(format, BytesOf(frame));
            converterFormat_ = format;
        }
        return converter_->Convert(BytesOf(frame));
    }

    // Selects entry `index` and loads its file; the list's owner shows the frame from the
    // bytes just read, at a person's pace. A frame that fails to load was reported by cDIB and
    // is not shown.
    bool SelectAndLoad(int index, cDIB& frame) {
        fe_.form.SetListIndex(index);
        if (!frame.CreateFromFile(fe_.form.ListItem(index))) return false;
        // The preview repaints at a person's pace (KeepAnswering): only the frames it will
        // paint are copied into it.
        if (previewing_.Due()) list_.ShowSelectedFrame(BytesOf(frame));
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

    // The entries of the files finished before this one have left the list, and the frames
    // left out ahead of the first stay at its head, so the next frame to write is entry
    // `NextEntry()`, at position `inFile_.size()` of the current file.
    int NextEntry() const { return keptAhead_ + static_cast<int>(inFile_.size()); }

    SaveOutcome WriteFrames(AviFileHandles& video, cDIB& frame) {
        auto& form = fe_.form;
        ListRedrawHeld held(form);
        bool loaded = true;  // the first frame, which described the stream
        while (NextEntry() < form.ListCount()) {
            // A frame that fails to load was reported by cDIB; the previous frame's pixels,
            // still held, stand in for it. One that failed for want of memory is not damaged:
            // the save stops and keeps it rather than repeat another frame in its place.
            if (!std::exchange(loaded, false) && !SelectAndLoad(NextEntry(), frame) && frame.LoadLackedMemory()) {
                failedAt_ = SaveStep::LoadFrame;
                return SaveOutcome::Failed;
            }
            if (!inFile_.empty() && (!HasStreamFormat(frame) || !RoomForAnother(frame))) {
                if (!FinishFile(video)) return SaveOutcome::Failed;
                DescribeStreamBy(frame);
                if (!StartNextFile(video, frame)) return SaveOutcome::Failed;
            }
            if (!WriteFrame(video, frame, static_cast<int>(inFile_.size()))) return SaveOutcome::Failed;
            // Counted over the whole list, the entries gone with finished files included.
            progress_.Show("Frame: " + std::to_string(framesSaved_ + NextEntry() - 1) + " of " +
                           std::to_string(framesSaved_ + form.ListCount()));
            KeepAnswering();
        }
        progress_.ShowHeld();  // the last frame's
        return FinishFile(video) ? SaveOutcome::Saved : SaveOutcome::Failed;
    }

    bool WriteFrame(AviFileHandles& video, const cDIB& frame, int position) {
        const auto offered = Offered(*taken_, frame);
        if (!offered) return Refused();  // of the file's format, yet not convertible as its first was
        const std::span<const std::uint8_t> pixels = offered->bits;
        std::int32_t written = 0;
        if (!Succeeded(avi_.AVIStreamWrite(video.compressed, position, 1, pixels.data(),
                                           static_cast<std::int32_t>(pixels.size()), kAVIIF_KEYFRAME, &written),
                       SaveStep::WriteFrame))
            return false;
        // A library that does not say what it wrote is taken to have written the frame as is.
        const std::int64_t bytes = written > 0 ? written : static_cast<std::int64_t>(pixels.size());
        FrameInVideo record{bytes, std::nullopt};
        if (fingerprinted_) record.fingerprint = FrameFingerprint(pixels);
        inFile_.push_back(record);
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

    // Lets the file go and checks what the library made of it, frame for frame; only a whole
    // file, flushed to the disk, counts. The frames of a whole file that more frames follow
    // leave the list and the disk at once, for room; the last file's go with the recording,
    // after "Saved".
    bool FinishFile(AviFileHandles& video) {
        video.Release();
        const auto keepAnswering = [this] { KeepAnswering(); };
        if (!IsWholeVideo(path_, inFile_, keepAnswering) || !fe_.disk.Flush(path_, keepAnswering)) {
            failedAt_ = SaveStep::FinishFile;
            return false;
        }
        unfinished_ = false;
        savedFiles_.push_back(path_);
        const int frames = static_cast<int>(std::exchange(inFile_, {}).size());
        framesSaved_ += frames;
        if (keptAhead_ + frames < fe_.form.ListCount()) list_.FramesInVideo(keptAhead_, frames);
        return true;
    }

    // Between frames, and while a finished file is checked and flushed: the window repaints
    // and answers other programs at a person's pace, so that the system never takes it for hung.
    void KeepAnswering() {
        if (answering_.Due()) fe_.form.TakePaintAndSentMessages();
    }

    bool StartNextFile(AviFileHandles& video, const cDIB& frame) {
        return OpenNextFile(video) && CreateStream(video) && Compress(video, frame);
    }

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
    PacedCaption progress_;
    Pace answering_;
    Pace previewing_;

    AviStreamInfo streamInfo_;
    std::vector<std::uint8_t> format_;  // the current file's frames' own format
    std::optional<FrameFormat> taken_;  // the format the compressor took the frames in
    std::optional<FrameConverter> converter_;
    FrameFormat converterFormat_ = FrameFormat::Own;
    std::string refusingCompressor_;
    const AviCompressOptions* options_ = nullptr;

    bool fingerprinted_ = false;  // the frames are stored as they are: each is checked by its fingerprint

    std::string path_;
    bool unfinished_ = false;  // path_ names a file of this save not yet found whole
    std::vector<FrameInVideo> inFile_;  // the frames written into the current file
    int keptAhead_ = 0;                 // unreadable entries ahead of the first frame, left out
    std::int64_t fileBytes_ = 0;
    std::int64_t largestFrame_ = 0;
    std::int64_t roomNeeded_ = 0;
    std::uint64_t roomFree_ = 0;

    SaveOutcome outcome_ = SaveOutcome::Failed;
    AviResult result_ = 0;  // the library's last answer; not 0 means "Error!"
    SaveStep failedAt_ = SaveStep::None;
    std::vector<std::string> savedFiles_;
    int framesSaved_ = 0;
};

}  // namespace

std::int64_t FirstVideoFileBytes(std::int64_t frames, std::int64_t frameBytes, std::int64_t fileLimit) {
    return std::min(kVideoHeaderBytes + frames * (frameBytes + kFrameOverheadBytes), fileLimit);
}

SaveResult SaveVideo(FrontEnd& fe, mAVIDecs& avi, FrameListSelection& list, std::int64_t fileLimit) {
    auto& form = fe.form;
    const std::string caption = fe.state.cCaption.empty() ? form.Caption() : fe.state.cCaption;

    // Without a first frame there is nothing to size the stream with: no file, no dialog.
    if (form.ListCount() <= 0) {
        form.SetCaption(caption);
        return {};
    }

    WindowRestored restored(form, caption);
    form.SetBusyCursor(true);
    VideoSave save(fe, avi, list, fileLimit);
    save.Run();
    restored.Restore();
    save.Report();
    return save.Result();
}

}  // namespace vfe
