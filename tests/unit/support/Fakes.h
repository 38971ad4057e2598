#pragma once
// Fakes of the window system for the unit tests. Each records what the behaviour
// did to it, in order, so tests can check calls, texts and arguments.
#include <algorithm>
#include <cctype>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/AboutWindow.h"
#include "platform/FrontEnd.h"
#include "support/CaptureFakes.h"

namespace vfe::testing {

struct ShownBox {
    std::string text;
    std::string title;
    unsigned flags;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    Answer Show(const std::string& text, const std::string& title, unsigned flags) override {
        shown.push_back({text, title, flags});
        if (answers.empty()) return (flags & 0xF) == MsgBox::YesNo ? Answer::Yes : Answer::Ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<ShownBox> shown;
    std::deque<Answer> answers;  // given in turn; Ok (or Yes) when none are left
};

// One entry per call, e.g. "find Velmoran Alpha v0.2a", "show 7 2", "close 7", "start C:\x.exe 1".
class FakeWindowSystem final : public WindowSystem {
public:
    WindowHandle FindWindowByCaption(const std::string& caption) override {
        calls.push_back("find " + caption);
        for (const auto& [windowCaption, handle] : windows)
            if (SameIgnoringCase(windowCaption, caption)) return handle;
        return 0;
    }
    void ShowWindow(WindowHandle window, std::int16_t showCode) override {
        calls.push_back("show " + std::to_string(window) + " " + std::to_string(showCode));
    }
    void PostClose(WindowHandle window) override { calls.push_back("close " + std::to_string(window)); }
    StartResult StartProgram(const std::string& path, const std::string& workingDirectory,
                             std::int16_t showCode) override {
        calls.push_back("start " + path + " " + std::to_string(showCode));
        lastWorkingDirectory = workingDirectory;
        if (onStart) onStart();
        return startResult;
    }

    std::map<std::string, WindowHandle> windows;  // caption -> handle of the windows that exist
    std::vector<std::string> calls;
    StartResult startResult = StartResult::Started;
    std::string lastWorkingDirectory;
    std::function<void()> onStart;  // runs inside StartProgram, to see what was set before it

private:
    static bool SameIgnoringCase(const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    }
};

class FakeSettings final : public SettingsStore {
public:
    std::optional<std::string> GetSetting(const std::string& app, const std::string& section,
                                          const std::string& key) override {
        const auto found = values.find(app + "\\" + section + "\\" + key);
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
    bool SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override {
        if (failSaves) return false;
        values[app + "\\" + section + "\\" + key] = value;
        return true;
    }
    std::map<std::string, std::string> values;  // "app\section\key" -> value
    bool failSaves = false;
};

// The main window's controls as plain values; the menu starts with the check marks it opens with.
class FakeControls final : public MainWindowControls {
public:
    FakeControls();

    void SetCaption(const std::string& text) override { caption = text; captions.push_back(text); }
    std::string Caption() const override { return caption; }
    void SetMenuChecked(MenuItem item, bool checked) override {
        menuChecks[item] = checked;
        menuCheckLog.push_back({item, checked});
    }
    bool IsMenuChecked(MenuItem item) const override {
        const auto found = menuChecks.find(item);
        return found != menuChecks.end() && found->second;
    }
    bool IsMinimized() const override { return minimized; }
    Size OuterSize() const override { return outerSize; }
    void SetOuterSize(Size size) override { outerSize = size; outerSizeLog.push_back(size); }
    Size TwipsPerPixel() const override { return twipsPerPixel; }
    Size ScreenSize() const override { return screenSize; }
    void SetControlSize(Control control, Size size) override { sizes[control] = size; }
    Size ControlSize(Control control) const override;
    void SetControlVisible(Control control, bool visible) override { this->visible[control] = visible; }
    void SetControlEnabled(Control control, bool enabled) override { this->enabled[control] = enabled; }
    std::string ControlText(Control control) const override;
    int CheckValue(Control control) const override;
    void SetCheckValue(Control control, int value) override { checks[control] = value; }
    bool ListAdd(const std::string& entry) override {
        if (failListAdd) return false;
        list.push_back(entry);
        return true;
    }
    void ListRemove(int index) override;
    void ListClear() override { list.clear(); listIndex = -1; }
    int ListCount() const override { return static_cast<int>(list.size()); }
    std::string ListItem(int index) const override;
    int ListIndex() const override { return listIndex; }
    void SetListIndex(int index) override {
        listIndex = index;
        if (!listRedrawHeld) selectionsRedrawn.push_back(index);
    }
    void HoldListRedraw(bool held) override {
        listRedrawHeld = held;
        if (!held) ++listRedraws;
    }
    bool SetTimerInterval(unsigned milliseconds) override {
        if (failTimer && milliseconds != 0) return false;
        timerInterval = milliseconds;
        timerLog.push_back(milliseconds);
        return true;
    }
    void Minimize() override { minimized = true; }
    void SetTopmost() override { topmost = true; }
    void SetBusyCursor(bool busy) override { busyCursor = busy; }
    void TakePaintAndSentMessages() override { captionsWhenAnswering.push_back(caption); }
    void EndProgram() override { ended = true; }
    bool PostEndRecording() override {
        if (refusePosts) return false;
        ++endRecordingPosts;
        return true;
    }

    std::string caption;
    std::vector<std::string> captions;
    std::map<MenuItem, bool> menuChecks;
    std::vector<std::pair<MenuItem, bool>> menuCheckLog;
    bool minimized = false;
    Size outerSize{510, 270};
    std::vector<Size> outerSizeLog;
    Size twipsPerPixel{15, 15};
    Size screenSize{1024, 768};
    std::map<Control, Size> sizes;
    std::map<Control, bool> visible;
    std::map<Control, bool> enabled;
    std::map<Control, std::string> texts;
    std::map<Control, int> checks;
    std::vector<std::string> list;
    int listIndex = -1;
    bool listRedrawHeld = false;
    std::vector<int> selectionsRedrawn;  // selections made while the list redraws at once
    int listRedraws = 0;                 // redraws when a hold ended
    unsigned timerInterval = 0;
    std::vector<unsigned> timerLog;
    bool topmost = false;
    bool busyCursor = false;
    std::vector<std::string> captionsWhenAnswering;  // the caption each time the window answered
    bool ended = false;
    bool failListAdd = false;   // the list takes no more entries
    bool failTimer = false;     // the timer cannot be started
    int endRecordingPosts = 0;  // the ends of recording asked for from the queue
    bool refusePosts = false;   // a queue that takes nothing more
};

// Counts the openings of the About window; `whileOpen` runs as if while it is open.
class FakeAboutWindow final : public AboutWindow {
public:
    void ShowModal() override {
        ++openings;
        if (whileOpen) whileOpen();
    }
    int openings = 0;
    std::function<void()> whileOpen;
};

// The time of day as set; the steady count moves on by `step` at every reading (a second
// unless a test sets it), so that what is paced shows at once unless a test holds the time.
class FakeClock final : public Clock {
public:
    int SecondsOfDay() override { return seconds; }
    std::int64_t Milliseconds() override { return milliseconds += step; }
    int seconds = 14 * 3600 + 5 * 60 + 9;
    std::int64_t milliseconds = 0;
    std::int64_t step = 1000;
};

// A disk with as much room as asked for, noting the files flushed in order.
class FakeDisk final : public Disk {
public:
    std::optional<std::uint64_t> FreeBytes(const std::string& /*folder*/) override { return freeBytes; }
    bool Flush(const std::string& path, const std::function<void()>& whileWaiting) override {
        flushed.push_back(path);
        if (onFlush) onFlush();
        whileWaiting();
        return !failFlush;
    }
    std::optional<std::uint64_t> freeBytes = std::uint64_t{1} << 40;
    std::vector<std::string> flushed;
    bool failFlush = false;
    std::function<void()> onFlush;  // runs inside Flush, to see what was done before it
};

// A whole front-end over fakes, with its application directory in a given folder.
struct FakeFrontEnd {
    explicit FakeFrontEnd(std::string appDir = "C:\\Velmoran")
        : frontEnd{state, controls, messages, windows, settings, disk, clock, std::move(appDir)} {}
    MainWindowState state;
    FakeControls controls;
    FakeMessageBoxes messages;
    FakeWindowSystem windows;
    FakeSettings settings;
    FakeDisk disk;
    FakeClock clock;
    FakeAboutWindow about;
    FakeCapture capture;
    FrontEnd frontEnd;
};

}  // namespace vfe::testing
