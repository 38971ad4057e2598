#pragma once
#include <cstdint>
#include <string>

#include "platform/MainWindowIds.h"
#include "platform/Types.h"

namespace vfe {

// The main window's own window, menu and controls, as the behaviour sees them.
// Setting a value by code here never runs a handler; the behaviour calls the
// handler itself where a change by code must act like the user's.
class MainWindowControls {
public:
    virtual ~MainWindowControls() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;

    virtual void SetMenuChecked(MenuItem item, bool checked) = 0;
    virtual bool IsMenuChecked(MenuItem item) const = 0;

    // Outer window size in pixels, and how many twips one pixel is.
    virtual bool IsMinimized() const = 0;
    virtual Size OuterSize() const = 0;
    virtual void SetOuterSize(Size size) = 0;
    virtual Size TwipsPerPixel() const = 0;
    // The primary screen's size in pixels.
    virtual Size ScreenSize() const = 0;

    virtual void SetControlSize(Control control, Size size) = 0;
    virtual Size ControlSize(Control control) const = 0;
    virtual void SetControlVisible(Control control, bool visible) = 0;
    virtual void SetControlEnabled(Control control, bool enabled) = 0;
    virtual std::string ControlText(Control control) const = 0;
    // Check boxes: 0 clear, 1 ticked.
    virtual int CheckValue(Control control) const = 0;
    virtual void SetCheckValue(Control control, int value) = 0;

    // The frame list `lst`: positions count from 0, -1 is "no selection".
    // False when the list takes no more entries.
    virtual bool ListAdd(const std::string& entry) = 0;
    virtual void ListRemove(int index) = 0;
    virtual void ListClear() = 0;
    virtual int ListCount() const = 0;
    virtual std::string ListItem(int index) const = 0;
    virtual int ListIndex() const = 0;
    virtual void SetListIndex(int index) = 0;
    // While held, the list takes changes without redrawing; letting go redraws it once.
    virtual void HoldListRedraw(bool held) = 0;

    // The frame timer; an interval of 0 stops it (which cannot fail). False when it could
    // not be started.
    virtual bool SetTimerInterval(unsigned milliseconds) = 0;

    virtual void Minimize() = 0;
    // Into the topmost band of windows, without moving or resizing.
    virtual void SetTopmost() = 0;
    // The hourglass over the whole application while true.
    virtual void SetBusyCursor(bool busy) = 0;
    // In the middle of a long operation: the window repaints what needs it and answers what
    // other programs send it, so that the system never takes it for hung. What the person
    // typed or clicked stays queued for afterwards.
    virtual void TakePaintAndSentMessages() = 0;

    // Ends the program at once; outside programs are left alone.
    virtual void EndProgram() = 0;

    // Has the behaviour's Form_EndRecordingPosted run from the window's queue, once the
    // message being handled is done; false when the queue takes nothing more.
    virtual bool PostEndRecording() = 0;
};

}  // namespace vfe
