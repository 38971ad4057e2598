#pragma once
#include <cstddef>
#include <string>

namespace vfe {

// Texts of the capture panel that the user sees.
inline const std::string kNotRunningText = "Velmoran is not running!";
inline const std::string kConfirmText = "Press 'Ok' to Start Recording";
inline const std::string kConfirmTitle = "Start Recording";
inline const std::string kFrameNotWrittenText = "Frame file could not be written:";
inline const std::string kRestoreToSaveText = "Restore the window to save the frames captured so far.";
// After a failure before the first frame: nothing to save.
inline const std::string kRecordingStoppedEmptyText = "Recording stopped.";
inline const std::string kRecordingStoppedText = kRecordingStoppedEmptyText + " " + kRestoreToSaveText;
inline const std::string kDiskNearlyFullText =
    "The disk is nearly full: the recording stopped so that its video still fits.";
inline const std::string kScreenNotCopiedText = "The screen could not be copied.";
inline const std::string kFrameNotListedText = "Frame could not be added to the list:";
inline const std::string kTimerNotSetText = "The frame timer could not be set.";
inline const std::string kNoCapturePictureText =
    "The picture to capture the screen into could not be made (out of memory?); nothing is recorded.";
// Said once at start when frame files that no video holds lie in the folder (the program
// ended during a recording or before its save).
inline std::string UnsavedFramesFoundText(std::size_t frames) {
    return (frames == 1 ? std::string("1 frame of an unsaved recording was found.")
                        : std::to_string(frames) + " frames of an unsaved recording were found.") +
           "\r\n\"Save\" (in the capture panel: enlarge the window) makes a video of them; "
           "a new recording discards them after asking.";
}
// Said when a recording ends in which the screen could not be copied on some ticks.
inline std::string TicksWithoutPictureText(int ticks) {
    return kScreenNotCopiedText + "\r\n" + std::to_string(ticks) +
           " ticks of the frame timer gave no picture; the recording went on without them.";
}
// Said at "Record" when the AVI library, or a function of it, cannot be loaded (`what` names it).
inline std::string VideoLibraryMissingText(const std::string& what) {
    return "The video library could not be loaded: " + what +
           "\r\nNothing is recorded: the frames could not be made into a video.";
}
inline const std::string kDiscardUnsavedFramesText =
    "The frames of the last recording have not been saved yet.\r\n"
    "Discard them and start a new recording?";

inline const std::string kNoWindowPictureText =
    "No picture of the emulator's window could be taken; no snapshot was saved.";
inline const std::string kSnapshotNotWrittenText = "Snapshot file could not be written:";
inline const std::string kSnapshotNumbersUsedUpText =
    "Snapshot32767.bmp was the last snapshot number of this run; no snapshot was saved.";

}  // namespace vfe
