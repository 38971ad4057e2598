#include "shell/frmVelmoranLoad.h"

#include <cctype>

#include "capture/Zoom.h"
#include "region/SavedRegion.h"
#include "shell/FormLayout.h"
#include "shell/MenuTree.h"
#include "shell/MinimumSize.h"
#include "shell/ScreenSizeRule.h"

namespace vfe {

frmVelmoranLoad::frmVelmoranLoad(FrontEnd& frontEnd, AboutWindow& about, CaptureServices capture)
    : fe_(frontEnd),
      about_(about),
      emulator_(frontEnd),
      region_(frontEnd),
      recorder_(frontEnd, capture.screen, capture.writer),
      snapshot_(frontEnd, capture.clipboard, capture.screen, capture.files) {}

void frmVelmoranLoad::Form_Load() {
    auto& form = fe_.form;
    form.SetControlSize(Control::pic0, PreviewPictureSizeFor(form.ScreenSize(), form.ControlSize(Control::pic0)));
    fe_.state.FlashSize = 131072;
    fe_.state.ShowMode = ShowCode::Normal;
    ApplySavedRegion();
    loaded_ = true;
}

void frmVelmoranLoad::Form_Shown() { recorder_.OfferFramesLeftUnsaved(); }

void frmVelmoranLoad::ApplySavedRegion() {
    const auto saved = fe_.settings.GetSetting(kApplicationTitle, std::string(kRegionSection), std::string(kRegionKey));
    switch (RegionForSavedValue(saved)) {
        case Region::US: mnuUS_Click(); break;
        case Region::Europe: mnuEURO_Click(); break;
        case Region::Japan: mnuJapan_Click(); break;
    }
}

void frmVelmoranLoad::Form_Resize() {
    auto& form = fe_.form;
    if (!loaded_ || form.IsMinimized()) return;
    const Size twips = form.TwipsPerPixel();
    if (IsBelowMinimumHeight(form.OuterSize(), twips))
        form.SetOuterSize({form.OuterSize().width, MinimumOuterHeight(twips)});
    if (IsBelowMinimumWidth(form.OuterSize(), twips))
        form.SetOuterSize({MinimumOuterWidth(twips), form.OuterSize().height});
    // Restoring the window is how a recording ends; a queue that takes nothing more ends
    // it at once rather than never.
    if (fe_.state.Grabando && !form.PostEndRecording()) recorder_.EndRecording();
}

void frmVelmoranLoad::Form_EndRecordingPosted() { recorder_.EndRecording(); }

void frmVelmoranLoad::Form_Fault() {
    // Said once a run when nothing is being recorded.
    if (!recorder_.TakingFrames()) {
        if (faultSaid_) return;
        faultSaid_ = true;
    }
    recorder_.ReportFailure(kHandlerFaultText);
}

void frmVelmoranLoad::Form_QueryUnload() { fe_.form.EndProgram(); }

void frmVelmoranLoad::mnuExit_Click() { fe_.form.EndProgram(); }

void frmVelmoranLoad::mnuAboutVelmoranFE_Click() {
    if (aboutOpen_) return;
    aboutOpen_ = true;
    struct Reopenable {
        bool& open;
        ~Reopenable() { open = false; }
    } reopenable{aboutOpen_};
    about_.ShowModal();
}

void frmVelmoranLoad::OnMenu(MenuItem item) {
    switch (item) {
        case MenuItem::mnuVelmoranAlpha: emulator_.mnuVelmoranAlpha_Click(); break;
        case MenuItem::mnuVelmoranAlphaOldGFX: emulator_.mnuVelmoranAlphaOldGFX_Click(); break;
        case MenuItem::mnuCloseVelmoran: emulator_.mnuCloseVelmoran_Click(); break;
        case MenuItem::mnuExit: mnuExit_Click(); break;
        case MenuItem::mnuAboutVelmoranFE: mnuAboutVelmoranFE_Click(); break;
        case MenuItem::mnuJapan: mnuJapan_Click(); break;
        case MenuItem::mnuUS: mnuUS_Click(); break;
        case MenuItem::mnuEURO: mnuEURO_Click(); break;
        case MenuItem::mnuNormalView: emulator_.mnuNormalView_Click(); break;
        case MenuItem::mnuMaximizedView: emulator_.mnuMaximizedView_Click(); break;
        case MenuItem::mnuVMSBrowser: emulator_.mnuVMSBrowser_Click(); break;
        case MenuItem::mnuRecordHQ: mnuRecordHQ_Click(); break;
        case MenuItem::mnuRecordLQ: mnuRecordLQ_Click(); break;
        default: break;  // submenu titles and separators carry no command
    }
}

namespace {

// Which control event runs which handler. Controls not named here (the "Freeze" box,
// "&Record", the frame and the labels) carry no action.
struct ControlHandler {
    Control control;
    ControlEvent event;
    void (frmVelmoranLoad::*handler)();
};

constexpr ControlHandler kControlHandlers[] = {
    {Control::cmdZoomIn, ControlEvent::Click, &frmVelmoranLoad::cmdZoomIn_Click},
    {Control::cmdZoomOut, ControlEvent::Click, &frmVelmoranLoad::cmdZoomOut_Click},
    {Control::cmdSnapshot, ControlEvent::Click, &frmVelmoranLoad::cmdSnapshot_Click},
    {Control::cmd, ControlEvent::Click, &frmVelmoranLoad::cmd_Click},
    {Control::Check2, ControlEvent::Click, &frmVelmoranLoad::Check2_Click},
    {Control::Text1, ControlEvent::LostFocus, &frmVelmoranLoad::Text1_LostFocus},
    {Control::lst, ControlEvent::SelectionChange, &frmVelmoranLoad::lst_Click},
};

}  // namespace

AltKeyTarget RouteAltKey(char key, const std::function<bool(Control)>& seen) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    for (const auto& entry : MainMenuTree())
        if (!entry.parent && Mnemonic(entry.caption) == lower) return AltKeyTarget::MenuBar;
    for (const auto& handler : kControlHandlers)
        if (handler.event == ControlEvent::Click && Mnemonic(LayoutOf(handler.control).caption) == lower &&
            seen(handler.control))
            return AltKeyTarget::Control;
    return AltKeyTarget::MenuBar;
}

void frmVelmoranLoad::OnControl(Control control, ControlEvent event) {
    for (const auto& entry : kControlHandlers)
        if (entry.control == control && entry.event == event) (this->*entry.handler)();
}

// Capture panel and frame timer.
void frmVelmoranLoad::Timer_Timer() { recorder_.Timer_Timer(); }
void frmVelmoranLoad::cmdZoomIn_Click() {
    fe_.state.ZoomFactor = ZoomedIn(fe_.state.ZoomFactor);
    recorder_.GrabFrame();
}
void frmVelmoranLoad::cmdZoomOut_Click() {
    fe_.state.ZoomFactor = ZoomedOut(fe_.state.ZoomFactor);
    recorder_.GrabFrame();
}
void frmVelmoranLoad::cmdSnapshot_Click() { snapshot_.cmdSnapshot_Click(); }
void frmVelmoranLoad::Check2_Click() { recorder_.Check2_Click(); }
void frmVelmoranLoad::Text1_LostFocus() { recorder_.Text1_LostFocus(); }
void frmVelmoranLoad::lst_Click() { recorder_.lst_Click(); }
void frmVelmoranLoad::lst_KeyDown(std::int16_t keyCode, std::int16_t shift) { recorder_.lst_KeyDown(keyCode, shift); }
void frmVelmoranLoad::cmd_Click() { recorder_.cmd_Click(); }
void frmVelmoranLoad::mnuRecordHQ_Click() { recorder_.mnuRecordHQ_Click(); }
void frmVelmoranLoad::mnuRecordLQ_Click() { recorder_.mnuRecordLQ_Click(); }

}  // namespace vfe
