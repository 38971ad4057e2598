#pragma once
#include <string>

#include "platform/Clock.h"
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
    WriteFrame,
    FinishFile,  // the finished file holds less than was written
};

// The writer's own message for a video the disk did not take whole, followed by its path.
inline const std::string kVideoIncompleteText = "Video file could not be written completely:";
inline const std::string kFramesKeptText = "The frames are kept: press Save to try again.";

// What a save did; the frame files and the timer are left to whoever owns them.
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::NothingToSave;
    SaveStep failedAt = SaveStep::None;
    int failedFrame = -1;  // with WriteFrame: the list position that could not be written
    std::string path;      // the video file, once a free name was found
};

// The owner of the frame list `lst`, as the writer meets it.
class FrameListSelection {
public:
    virtual ~FrameListSelection() = default;
    // After a selection the writer makes, the selected frame as the writer has just read it:
    // shown as the list's selection handler shows a frame, without reading the file again.
    virtual void ShowSelectedFrame(BitmapBytes frame) = 0;
};

// Writes the video from the frame list `lst` into the application directory, at 5 frames
// per second, every frame a key frame, selecting each entry in turn (the list redraws once,
// at the end). Reports failures
// with its own messages, shows the hourglass and its progress in the caption meanwhile.
//
// The caption the window shows afterwards is `state.cCaption`, which the recording sets to
// the caption in place when it began; when it is empty, the caption in place when the save
// began is put back.
SaveResult SaveVideo(FrontEnd& fe, mAVIDecs& avi, Clock& clock, FrameListSelection& list);

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
    AviVideoWriter(FrontEnd& fe, mAVIDecs& avi, Clock& clock) : fe_(fe), avi_(avi), clock_(clock) {}
    SaveResult SaveVideo(FrameListSelection& list) override { return vfe::SaveVideo(fe_, avi_, clock_, list); }
    std::string MissingLibraryPart() override { return avi_.MissingPart(); }

private:
    FrontEnd& fe_;
    mAVIDecs& avi_;
    Clock& clock_;
};

}  // namespace vfe
