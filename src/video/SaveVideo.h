#pragma once
#include <functional>

#include "platform/Clock.h"
#include "platform/FrontEnd.h"
#include "video/mAVIDecs.h"

namespace vfe {

enum class SaveOutcome {
    Saved,          // the video is written
    Cancelled,      // the user cancelled the compression dialog: the recording is discarded
    Failed,         // a library error or an unreadable first frame: the frame files are kept to try again
    NothingToSave,  // the frame list is empty: no file, no dialog
};

// Writes the video from the frame list `lst` into the application directory, at 5 frames
// per second, every frame a key frame. `lst_Click` is the list's selection handler; it runs
// after every selection made here. Deletes the recording's frame files (z0 to
// z(Numero-1)) unless the outcome is Failed.
//
// The caption the window shows afterwards is `state.cCaption`, which the recording sets to
// the caption in place when it began; when it is empty, the caption in place when the save
// began is put back.
SaveOutcome SaveVideo(FrontEnd& fe, mAVIDecs& avi, Clock& clock, const std::function<void()>& lst_Click);

}  // namespace vfe
