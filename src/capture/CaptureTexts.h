#pragma once
#include <string>

namespace vfe {

// Texts of the capture panel that the user sees.
inline const std::string kNotRunningText = "Velmoran is not running!";
inline const std::string kConfirmText = "Press 'Ok' to Start Recording";
inline const std::string kConfirmTitle = "Start Recording";
inline const std::string kFrameNotWrittenText = "Frame file could not be written:";
inline const std::string kRecordingStoppedText =
    "Recording stopped. Restore the window to save the frames captured so far.";
inline const std::string kScreenNotCopiedText = "The screen could not be copied.";
inline const std::string kFrameNotListedText = "Frame could not be added to the list:";
inline const std::string kTimerNotSetText = "The frame timer could not be set.";
inline const std::string kNoCapturePictureText =
    "The picture to capture the screen into could not be made (out of memory?); nothing is recorded.";
inline const std::string kDiscardUnsavedFramesText =
    "The frames of the last recording have not been saved yet.\r\n"
    "Discard them and start a new recording?";

inline const std::string kNoWindowPictureText =
    "No picture of the emulator's window could be taken; no snapshot was saved.";
inline const std::string kSnapshotNotWrittenText = "Snapshot file could not be written:";
inline const std::string kSnapshotNumbersUsedUpText =
    "Snapshot32767.bmp was the last snapshot number of this run; no snapshot was saved.";

}  // namespace vfe
