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

// The main window's controls, in creation order. Arrays are flattened: lbl0 is lbl(0).
enum class Control {
    pic0,
    cmdZoomIn,
    cmdZoomOut,
    Text1,
    Check1,
    Check2,
    fra,
    lst,
    cmd,
    lbl2,
    lbl1,
    lbl0,
    lbl3,
    cmdRecord,
    cmdSnapshot,
    lblCopyright1,
    lblCopyright0,
};

}  // namespace vfe
