#pragma once
#include <functional>

#include "capture/CaptureServices.h"
#include "capture/Recorder.h"
#include "capture/Snapshot.h"
#include "emulator/EmulatorControl.h"
#include "platform/AboutWindow.h"
#include "platform/FrontEnd.h"
#include "region/RegionSwitcher.h"

namespace vfe {

// Said when the main window or one of its controls cannot be made: nothing can run then.
inline const std::string kWindowNotCreatedText =
    "The main window could not be created (out of memory?); Velmoran Front-End cannot start.";

// Said when a handler failed part way (the window caught what it threw).
inline const std::string kHandlerFaultText =
    "An operation could not be completed (out of memory?); it was left unfinished.";

// Where Alt with a character, typed in the main window, goes.
enum class AltKeyTarget {
    MenuBar,  // the menu of the bar whose mnemonic it is (or the bar's own answer to an unknown one)
    Control,  // the control whose access key it is
};
// A menu of the bar whose mnemonic it is always opens. Otherwise the control whose access key
// it is acts, but only when the user can see it (`seen`) and a click on it does something;
// any other key is the menu bar's, which finds no menu for it.
AltKeyTarget RouteAltKey(char key, const std::function<bool(Control)>& seen);

// The main window's behaviour: start-up, resize, exit, and the dispatch of every
// command to the subsystem that carries it out. The window procedure only turns
// messages into calls of these handlers.
class frmVelmoranLoad {
public:
    frmVelmoranLoad(FrontEnd& frontEnd, AboutWindow& about, CaptureServices capture);
    // Its handlers are bound to this very object.
    frmVelmoranLoad(const frmVelmoranLoad&) = delete;
    frmVelmoranLoad& operator=(const frmVelmoranLoad&) = delete;

    void Form_Load();
    // Once the window shows with every control, from its queue: frames an earlier run left
    // unsaved are offered for saving.
    void Form_Shown();
    // Ignored until the load has run: the window is sized before it is loaded.
    void Form_Resize();
    // A restore ends a recording from the queue, not inside the resize: the restore may
    // come from another program, which waits until our handler returns, and the save
    // that follows holds a modal dialog.
    void Form_EndRecordingPosted();
    // A handler of either window failed: a recording stops as after a failed write, with
    // its message; otherwise the failure is said, once a run (a failing repaint would
    // otherwise say it again after every box).
    void Form_Fault();
    // Every request to close the window ends the program; it is never refused.
    void Form_QueryUnload();

    // A menu item chosen, a control's event: the handler it calls, if any.
    void OnMenu(MenuItem item);
    void OnControl(Control control, ControlEvent event);

    void mnuExit_Click();
    // Modal; a command that arrives while it is open (the main window is disabled, but posted
    // commands still come) opens no second one.
    void mnuAboutVelmoranFE_Click();
    void mnuJapan_Click() { region_.mnuJapan_Click(); }
    void mnuUS_Click() { region_.mnuUS_Click(); }
    void mnuEURO_Click() { region_.mnuEURO_Click(); }

    // Controls of the capture panel and the frame timer.
    void Timer_Timer();
    void cmdZoomIn_Click();
    void cmdZoomOut_Click();
    void cmdSnapshot_Click();
    void Check2_Click();
    void Text1_LostFocus();
    void lst_Click();
    void lst_KeyDown(std::int16_t keyCode, std::int16_t shift);
    void cmd_Click();
    void mnuRecordHQ_Click();
    void mnuRecordLQ_Click();

private:
    // Start-up: the remembered region is written into the flash image again.
    void ApplySavedRegion();

    FrontEnd& fe_;
    AboutWindow& about_;
    EmulatorControl emulator_;
    RegionSwitcher region_;
    Recorder recorder_;
    Snapshot snapshot_;
    bool loaded_ = false;
    bool aboutOpen_ = false;
    bool faultSaid_ = false;
};

}  // namespace vfe
