#pragma once

namespace vfe {

// Every item of the main window's menu bar, in menu order.
enum class MenuItem {
    mnuRun,
    mnuVelmoranAlpha,
    mnuVelmoranAlphaOldGFX,
    mnuCloseVelmoran,
    mnuLineRun,
    mnuExit,
    mnuOption,
    mnuRegion,
    mnuJapan,
    mnuUS,
    mnuEURO,
    mnuLineOpt,
    mnuDisplayMode,
    mnuNormalView,
    mnuMaximizedView,
    mnuUtilities,
    mnuAviRecorder,
    mnuRecordLQ,
    mnuRecordHQ,
    mnuVMSBrowser,
    mnuHelp,
    mnuAboutVelmoranFE,
};

// The main window's controls, in creation order, under the names they have always had; the
// comment says what each is. Arrays are flattened: lbl0 is lbl(0).
enum class Control {
    pic0,           // the preview picture: shows the last frame grabbed or the frame selected
    cmdZoomIn,      // "+": zoom factor up, refreshes the preview
    cmdZoomOut,     // "-": zoom factor down, refreshes the preview
    Text1,          // the interval box: the frame timer's interval in milliseconds
    Check1,         // "Freeze": no action
    Check2,         // "Stop": pauses a recording
    fra,            // the frame "Frame1" holding the frame list, "Save" and the panel's title
    lst,            // the frame list: the frame files of the recording, in capture order
    cmd,            // "Save": writes the listed frames into a video
    lbl2,           // "Capture r 1.0", black (the panel's title)
    lbl1,           // "Screen", green (the panel's title)
    lbl0,           // "Screen", dark green shadow
    lbl3,           // "Capture r 1.0", dark green shadow
    cmdRecord,      // "&Record": no action
    cmdSnapshot,    // "&Take Snapshot": hidden; the snapshot command
    lblCopyright1,  // the maker's short copyright notice
    lblCopyright0,  // "Velmoran Front-End", the window's title over the background
};

// What a control reports that a handler may answer.
enum class ControlEvent {
    Click,            // a button pressed, a check box changed by the user
    LostFocus,        // the input focus left the control
    SelectionChange,  // a list's selected entry changed by the user
};

}  // namespace vfe
