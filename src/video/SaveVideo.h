#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FrontEnd.h"
#include "platform/ScreenCapture.h"
#include "video/mAVIDecs.h"

namespace vfe {

enum class SaveOutcome {
    Saved,          // the video is written
    Cancelled,      // the user cancelled the compression dialog
    Failed,         // a library error, an unreadable first frame or no free file name
    NothingToSave,  // the frame list is empty: no file, no dialog
};

// The step a failed save stopped at.
enum class SaveStep {
    None,
    FindFreeName,
    OpenFile,
    LoadFirstFrame,
    CreateStream,
    CompressionDialog,
    MakeCompressedStream,
    SetStreamFormat,
    FramesRefused,  // the compressor takes the frames in none of the formats they can be offered in
    WriteFrame,
    DiskRoom,    // the disk has no room for the first video file
    LoadFrame,   // a frame could not be read for want of memory
    FinishFile,  // a finished file is not whole: the disk took less, or the library cut it
};

// Every video file stays below this many bytes: the AVI library finishes no file whole past
// 2 GiB, so a longer recording goes on in a further file.
inline constexpr std::int64_t kVideoFileLimit = 2'000'000'000;
// What a video file is counted to hold besides its frames' data: the headers in front of the
// frames (the format among them, padded by the library) and the index's own header. The
// system's library puts the first frame within the first few KiB; this leaves room to spare.
inline constexpr std::int64_t kVideoHeaderBytes = 64 * 1024;
// Each frame adds its chunk header, a pad byte at most, and its entry in the index.
inline constexpr std::int64_t kFrameOverheadBytes = 8 + 1 + 16;

// The bytes the first video file of `frames` frames of `frameBytes` each takes, up to the
// file limit: what a recording must leave room for, and what a save needs to start.
std::int64_t FirstVideoFileBytes(std::int64_t frames, std::int64_t frameBytes, std::int64_t fileLimit = kVideoFileLimit);

// The writer's own message for a video the disk did not take whole, followed by its path.
inline const std::string kVideoIncompleteText = "Video file could not be written completely:";
inline const std::string kFramesKeptText = "The frames are kept: press Save to try again.";

// What a save did; the frame files and the timer are left to whoever owns them.
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::NothingToSave;
    SaveStep failedAt = SaveStep::None;
    std::string path;                     // the video file written last (the failed one), once named
    std::vector<std::string> savedFiles;  // the files finished and found whole, in order
    int framesSaved = 0;                  // the frames those files hold
};

// The owner of the frame list `lst`, as the writer meets it.
class FrameListSelection {
public:
    virtual ~FrameListSelection() = default;
    // After a selection the writer makes, the selected frame as the writer has just read it:
    // shown as the list's selection handler shows a frame, without reading the file again.
    virtual void ShowSelectedFrame(BitmapBytes frame) = 0;
    // The `count` entries from entry `first` on are in a finished video that was found whole
    // and is on the disk: the owner takes them off the list, and their files may go at once,
    // so that a long save needs little room beyond the frames. The writer goes on with the
    // entries left. The last file's frames are not handed over: they go with the recording,
    // after "Saved"; so do unreadable frames that no video holds.
    virtual void FramesInVideo(int first, int count) = 0;
};

// Writes the video from the frame list `lst` into the application directory, at 5 frames
// per second, every frame a key frame, selecting each entry in turn (the list redraws once,
// at the end). The first frame that can be read describes the stream. A recording too long
// for one file of `fileLimit` bytes, or a frame of another format, goes on in the next free
// name (Velmoran_Cap_hhmmss_2.avi, ...) with the same compressor; each finished file counts
// only once it is found whole, frame for frame, and flushed to the disk; one that is not is
// deleted. Reports failures with its own messages, shows the hourglass and its progress in
// the caption meanwhile, at a person's pace, and lets the window repaint and answer other
// programs as often.
//
// The caption the window shows afterwards is `state.cCaption`, which the recording sets to
// the caption in place when it began; when it is empty, the caption in place when the save
// began is put back.
SaveResult SaveVideo(FrontEnd& fe, mAVIDecs& avi, FrameListSelection& list, std::int64_t fileLimit = kVideoFileLimit);

// The video writer as the recording reaches it.
class VideoWriter {
public:
    virtual ~VideoWriter() = default;
    virtual SaveResult SaveVideo(FrameListSelection& list) = 0;
    // What of the library a save needs cannot be loaded (see mAVIDecs::MissingPart); empty
    // when everything can.
    virtual std::string MissingLibraryPart() = 0;
};

// The writer over an AVI library.
class AviVideoWriter final : public VideoWriter {
public:
    AviVideoWriter(FrontEnd& fe, mAVIDecs& avi, std::int64_t fileLimit = kVideoFileLimit)
        : fe_(fe), avi_(avi), fileLimit_(fileLimit) {}
    SaveResult SaveVideo(FrameListSelection& list) override { return vfe::SaveVideo(fe_, avi_, list, fileLimit_); }
    std::string MissingLibraryPart() override { return avi_.MissingPart(); }

private:
    FrontEnd& fe_;
    mAVIDecs& avi_;
    std::int64_t fileLimit_;
};

}  // namespace vfe
