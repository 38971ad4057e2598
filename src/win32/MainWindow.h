#pragma once
#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <optional>

#include "platform/MainWindowControls.h"
#include "shell/FormLayout.h"
#include "win32/BaseWindow.h"
#include "win32/Handles.h"

namespace vfe {
class frmVelmoranLoad;
}

namespace vfe::win32 {

// Command identifiers of the menu items and controls: an item's or control's
// enumerator value plus its base.
constexpr int kMenuIdBase = 100;
constexpr int kControlIdBase = 1000;
constexpr UINT_PTR kFrameTimerId = 1;
// Posted by PostEndRecording; the main window's own message.
constexpr UINT kEndRecordingMessage = WM_APP + 1;
// Posted once the window shows with every control; runs the behaviour's Form_Shown.
constexpr UINT kShownMessage = WM_APP + 2;

// frmVelmoranLoad's real window: the frame, its menu bar and its controls. Its procedure
// only turns messages into calls of the behaviour's handlers.
class MainWindow final : public MainWindowControls, public BaseWindow<MainWindow>, public FaultReport {
public:
    explicit MainWindow(HINSTANCE instance) : instance_(instance) {}
    ~MainWindow() override;

    // Creates the window hidden, with the controls it needs before it first shows; false
    // when any of them could not be made. The behaviour is attached before it is shown.
    bool Create();
    // The rest of the controls, the ones that lie outside the client area, once the window
    // shows and before any input is handled; false when any of them could not be made.
    bool CreateControlsAfterShow() { return CreateControls(true); }
    // While the returned attachment lives, the window's messages reach `form`; it goes
    // before the form does, so the window never holds a form that has gone.
    class Attachment {
    public:
        explicit Attachment(MainWindow& window) : window_(window) {}
        ~Attachment() { window_.form_ = nullptr; }
        Attachment(const Attachment&) = delete;
        Attachment& operator=(const Attachment&) = delete;

    private:
        MainWindow& window_;
    };
    [[nodiscard]] Attachment Attach(frmVelmoranLoad& form) {
        form_ = &form;
        return Attachment(*this);
    }
    void Show(int showCommand);
    HWND ControlWindow(Control control) const { return controls_[static_cast<size_t>(control)]; }
    // The message loop's first step: the dialog manager's keys (Tab, Shift+Tab, arrows, access
    // keys) for the window's controls; true when it took the message.
    bool TranslateDialogKeys(MSG& message);

    // A handler of this window or the About window failed: the behaviour decides what the
    // user is told (and stops a recording).
    void ReportFault() noexcept override;

    // MainWindowControls
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
    void SetMenuChecked(MenuItem item, bool checked) override;
    bool IsMenuChecked(MenuItem item) const override;
    bool IsMinimized() const override;
    Size OuterSize() const override;
    void SetOuterSize(Size size) override;
    Size TwipsPerPixel() const override;
    Size ScreenSize() const override;
    void SetControlSize(Control control, Size size) override;
    Size ControlSize(Control control) const override;
    void SetControlVisible(Control control, bool visible) override;
    void SetControlEnabled(Control control, bool enabled) override;
    std::string ControlText(Control control) const override;
    int CheckValue(Control control) const override;
    void SetCheckValue(Control control, int value) override;
    bool ListAdd(const std::string& entry) override;
    void ListRemove(int index) override;
    void ListClear() override;
    int ListCount() const override;
    std::string ListItem(int index) const override;
    int ListIndex() const override;
    void SetListIndex(int index) override;
    void HoldListRedraw(bool held) override;
    bool SetTimerInterval(unsigned milliseconds) override;
    void Minimize() override;
    void SetTopmost() override;
    void SetBusyCursor(bool busy) override;
    void TakePaintAndSentMessages() override;
    void EndProgram() override;
    bool PostEndRecording() override;

    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclass,
                                     DWORD_PTR owner);

private:
    friend class BaseWindow<MainWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window has gone: no handler of the behaviour runs any more.
    void OnGone() { form_ = nullptr; }
    void OnFault() { ReportFault(); }
    void OnCommand(int id, int notification);
    // Shown, and not wholly outside the visible part of the window and of its container.
    bool CanBeSeen(Control control) const;
    void PaintFrame(HWND frame);
    void Paint();
    static HMENU CreateMenuBar();
    // Those made after the window first shows, or those made with it.
    bool CreateControls(bool afterShow);
    HFONT FontFor(const FontDescription& entry);
    void PaintLabels(HDC dc, std::optional<Control> container);

    HINSTANCE instance_;
    HWND toolTip_ = nullptr;
    frmVelmoranLoad* form_ = nullptr;
    bool busy_ = false;
    bool answeringOnly_ = false;  // inside TakePaintAndSentMessages: commands wait in the queue
    bool faultBoxShown_ = false;
    std::array<HWND, 17> controls_{};
    std::map<std::string, GdiObject<HFONT>> fonts_;
    GdiObject<HBITMAP> background_;
    GdiObject<HBRUSH> backBrush_;
};

}  // namespace vfe::win32
