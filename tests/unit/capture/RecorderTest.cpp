#include <gtest/gtest.h>

#include "emulator/EmulatorIdentity.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <new>
#include <utility>

#include "capture/CaptureTexts.h"
#include "capture/FrameFiles.h"
#include "capture/Recorder.h"
#include "support/CaptureFakes.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace vfe {
namespace {

using testing::FakeFrontEnd;
using testing::FakeScreenCapture;
using testing::TempDir;

constexpr WindowHandle kEmulator = 7;
const std::string kMainBuildCaption(kMainBuild.caption);

// A recorder over fakes whose application folder is a real temporary folder, so the
// frame files are real. The video writer notes what the main window looked like when
// it ran and answers with `outcome`.
class RecorderTest : public ::testing::Test {
protected:
    struct AtSave {
        bool grabando;
        int stop;
        bool stopEnabled;
        bool saveVisible;
        bool listVisible;
        std::vector<unsigned> timerLog;
        std::vector<std::string> list;
    };

    void LaunchEmulator(const std::string& caption = kMainBuildCaption) {
        fake.state.EmulatorCaption = caption;
        fake.windows.windows[caption] = kEmulator;
    }
    void StartRecording() {
        LaunchEmulator();
        recorder.mnuRecordHQ_Click();
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) recorder.Timer_Timer();
    }
    std::string Frame(int number) const { return dir.File("z" + std::to_string(number) + ".bmp"); }
    std::vector<std::string> Frames(int count) const {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) paths.push_back(Frame(i));
        return paths;
    }
    // The window restored while the recording runs.
    void Restore() {
        fake.controls.minimized = false;
        recorder.EndRecording();
    }

    RecorderTest() {
        writer.onSave = [this] {
            auto& c = fake.controls;
            saves.push_back({fake.state.Grabando, c.CheckValue(Control::Check2), c.enabled[Control::Check2],
                             c.visible[Control::cmd], c.visible[Control::lst], c.timerLog, c.list});
        };
    }

    TempDir dir;
    FakeFrontEnd fake{dir.str()};
    FakeScreenCapture screen;
    testing::FakeVideoWriter writer;
    SaveOutcome& outcome = writer.outcome;
    std::vector<AtSave> saves;
    Recorder recorder{fake.frontEnd, screen, writer};
};

TEST_F(RecorderTest, WithoutALaunchedEmulatorNothingButTheLookupChanges) {
    fake.windows.windows[kMainBuildCaption] = kEmulator;  // started by other means: not ours to record
    fake.state.Numero = 5;
    fake.state.EmulatorWnd = 99;
    recorder.mnuRecordHQ_Click();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "Velmoran is not running!");
    EXPECT_EQ(fake.messages.shown[0].title, "Velmoran is not running!");
    EXPECT_EQ(fake.messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Exclamation);
    EXPECT_TRUE(fake.windows.calls.empty());  // an empty caption is never looked up
    EXPECT_EQ(fake.state.EmulatorWnd, 0u);
    EXPECT_EQ(fake.state.Numero, 5);
    EXPECT_FALSE(fake.controls.minimized);
    EXPECT_FALSE(fake.controls.topmost);
    EXPECT_TRUE(screen.calls.empty());

    fake.state.EmulatorCaption = "Velmoran Alpha v0.2a Old Gfx";  // launched, but closed since
    recorder.mnuRecordLQ_Click();
    EXPECT_EQ(fake.windows.calls, (std::vector<std::string>{"find Velmoran Alpha v0.2a Old Gfx"}));
    EXPECT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_FALSE(fake.controls.minimized);
}

TEST_F(RecorderTest, AVideoLibraryThatCannotBeLoadedIsSaidAtRecordBeforeAnythingIsRecorded) {
    writer.missingLibraryPart = "avifil32.dll (AVIStreamWrite)";
    StartRecording();
    EXPECT_EQ(fake.messages.shown.at(0).text, VideoLibraryMissingText(writer.missingLibraryPart));
    EXPECT_TRUE(!fake.controls.minimized && screen.calls.empty());
}

TEST_F(RecorderTest, PreparesTheRecordingInTheDesignedOrder) {
    fake.controls.caption = "Running velmoran.exe";
    fake.controls.texts[Control::Text1] = "2.5";
    fake.state.Numero = 12;
    StartRecording();
    EXPECT_EQ(fake.windows.calls, (std::vector<std::string>{"find Velmoran Alpha v0.2a", "find Velmoran Alpha v0.2a",
                                                             "show 7 2", "show 7 1"}));
    EXPECT_EQ(fake.state.ShowMode, 1);
    EXPECT_EQ(fake.state.TamanoCuadroW, 640.0);
    EXPECT_EQ(fake.state.TamanoCuadroH, 480.0);
    EXPECT_EQ(fake.state.Numero, 0);
    EXPECT_EQ(fake.state.ZoomFactor, 1.0f);
    EXPECT_EQ(fake.state.cCaption, "Running velmoran.exe");
    EXPECT_EQ(fake.controls.timerLog, (std::vector<unsigned>{2}));  // 2.5 rounds to the even 2
    EXPECT_TRUE(fake.controls.topmost);
    EXPECT_TRUE(fake.controls.minimized);
    EXPECT_EQ(screen.calls, (std::vector<std::string>{"create 1028x772"}));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "Press 'Ok' to Start Recording");
    EXPECT_EQ(fake.messages.shown[0].title, "Start Recording");
    EXPECT_EQ(fake.messages.shown[0].flags, MsgBox::OkCancel);
    EXPECT_TRUE(fake.state.Grabando);
}

TEST_F(RecorderTest, OldGraphicsBuildIsRecordedWithoutArrangingAWindow) {
    LaunchEmulator("Velmoran Alpha v0.2a Old Gfx");
    fake.controls.menuChecks[MenuItem::mnuNormalView] = false;
    recorder.mnuRecordHQ_Click();
    EXPECT_EQ(fake.state.ShowMode, 3);  // the maximized view, though no window is shown in it
    EXPECT_EQ(fake.windows.calls,
              (std::vector<std::string>{"find Velmoran Alpha v0.2a Old Gfx", "find Velmoran Alpha v0.2a"}));
    EXPECT_EQ(fake.state.EmulatorWnd, 0u);
    EXPECT_TRUE(fake.state.Grabando);
    EXPECT_TRUE(fake.controls.minimized);
}

TEST_F(RecorderTest, NoCapturePictureNoRecording) {
    screen.failCreate = true;
    StartRecording();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kNoCapturePictureText);
    EXPECT_FALSE(fake.state.Grabando);
    EXPECT_FALSE(fake.controls.minimized);
}

TEST_F(RecorderTest, CancelAtTheConfirmationRecordsNothing) {
    fake.messages.answers = {Answer::Cancel};
    StartRecording();
    EXPECT_FALSE(fake.state.Grabando);
    EXPECT_FALSE(screen.exists);
    EXPECT_EQ(screen.calls.back(), "destroy");
    EXPECT_TRUE(fake.controls.minimized);  // stays down until the user restores it
    Ticks(3);
    Restore();
    EXPECT_TRUE(saves.empty());
    EXPECT_FALSE(dir.Exists("z0.bmp"));
}

TEST_F(RecorderTest, StopTickedSkipsTheQuestionAndRecordsNothing) {
    fake.controls.checks[Control::Check2] = 1;
    StartRecording();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_FALSE(fake.state.Grabando);
    EXPECT_TRUE(fake.controls.minimized);
    Ticks(2);  // as ticks while the question is open: Grabando is false
    EXPECT_EQ(screen.grabs, 0);
    Restore();
    EXPECT_TRUE(saves.empty());
}

TEST_F(RecorderTest, EachTickSavesTheNextNumberedFrameAndCountsItInTheCaption) {
    StartRecording();
    Ticks(11);
    EXPECT_EQ(fake.controls.list, Frames(11));  // z10 follows z9: capture order, not name order
    EXPECT_EQ(fake.state.Numero, 11);
    EXPECT_EQ(fake.controls.captions.front(), "1 frames captured...");
    EXPECT_EQ(fake.controls.caption, "11 frames captured...");
    for (int i = 0; i < 11; ++i) {
        const auto bytes = dir.Read("z" + std::to_string(i) + ".bmp");
        ASSERT_GE(bytes.size(), 14u + 40u + 16u) << i;
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(bytes.back(), i + 1) << "frame " << i << " holds grab " << i + 1;
    }
    EXPECT_EQ(screen.calls[1], "copy 1024x768");  // the preview's size less 4 each way
    EXPECT_EQ(screen.calls[2], "preview capture");
}

TEST_F(RecorderTest, CountingGoesOnPastSixteenBits) {
    StartRecording();
    fake.state.Numero = 32767;
    Ticks(2);
    EXPECT_EQ(fake.controls.list, (std::vector<std::string>{Frame(32767), Frame(32768)}));
    EXPECT_EQ(fake.controls.caption, "32769 frames captured...");
}

TEST_F(RecorderTest, RestoringEndsTheRecordingAndWritesTheVideo) {
    StartRecording();
    Ticks(3);
    Restore();
    ASSERT_EQ(saves.size(), 1u);
    const AtSave& at = saves[0];
    EXPECT_FALSE(at.grabando);
    EXPECT_EQ(at.stop, 1);
    EXPECT_FALSE(at.stopEnabled);
    EXPECT_TRUE(at.saveVisible);
    EXPECT_TRUE(at.listVisible);
    // "Stop" ticked by code stopped the timer; the save runs it at 10 ms.
    EXPECT_EQ(at.timerLog, (std::vector<unsigned>{1, 0, 10}));
    EXPECT_EQ(at.list, Frames(3));

    EXPECT_TRUE(fake.controls.list.empty());
    EXPECT_EQ(fake.controls.CheckValue(Control::Check2), 0);
    EXPECT_TRUE(fake.controls.enabled[Control::Check2]);
    EXPECT_EQ(fake.controls.timerInterval, 1u);  // "Stop" cleared by code: the interval rule again
    EXPECT_TRUE(fake.controls.visible[Control::cmd]);

    Restore();  // a later resize is not a recording's end
    EXPECT_EQ(saves.size(), 1u);
}

// The frame count reaches the caption at most every 100 ms, and exactly when the recording
// pauses ("Stop") or ends (the restore).
TEST_F(RecorderTest, TheFrameCountIsShownAtAPersonsPaceAndExactlyWhenTheRecordingStops) {
    StartRecording();
    fake.clock.step = 0;
    Ticks(3);
    fake.clock.milliseconds += 99;
    Ticks(1);
    EXPECT_EQ(fake.controls.captions, std::vector<std::string>{"1 frames captured..."});
    fake.clock.milliseconds += 1;
    Ticks(2);
    EXPECT_EQ(fake.controls.caption, "5 frames captured...");
    fake.controls.checks[Control::Check2] = 1;
    recorder.Check2_Click();
    EXPECT_EQ(fake.controls.caption, "6 frames captured...");
    fake.controls.checks[Control::Check2] = 0;
    recorder.Check2_Click();
    Ticks(1);
    fake.clock.milliseconds += 100;
    Ticks(1);  // shown at once: the count held before it is older
    Restore();
    EXPECT_EQ(fake.controls.caption, "8 frames captured...");
}

TEST_F(RecorderTest, RestoringWithStopTickedKeepsTheRecordingOpen) {
    StartRecording();
    Ticks(2);
    fake.controls.checks[Control::Check2] = 1;
    recorder.Check2_Click();
    EXPECT_EQ(fake.controls.timerInterval, 0u);
    recorder.Text1_LostFocus();  // the interval box sets the timer whatever "Stop" says
    EXPECT_EQ(fake.controls.timerInterval, 1u);
    Restore();
    EXPECT_TRUE(saves.empty());
    EXPECT_TRUE(fake.state.Grabando);
    fake.controls.checks[Control::Check2] = 0;
    recorder.Check2_Click();
    Restore();
    EXPECT_EQ(saves.size(), 1u);
}

TEST_F(RecorderTest, CancelledOrEmptySavesStillConsumeTheRecording) {
    for (SaveOutcome consumed : {SaveOutcome::Cancelled, SaveOutcome::NothingToSave}) {
        outcome = consumed;
        dir.Write("z9.bmp", "stale");
        StartRecording();
        Ticks(consumed == SaveOutcome::NothingToSave ? 0 : 2);
        Restore();
        EXPECT_TRUE(fake.controls.list.empty());
        EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    }
    EXPECT_EQ(saves.size(), 2u);
}

TEST_F(RecorderTest, ASaveDeletesEveryFrameFileStaleOnesIncludedAndNothingElse) {
    fake.controls.texts[Control::Text1] = "7.5";
    const std::vector<std::string> others = {"Zoo.bmp", "Zelda.bmp", "zz.bmp", "z1a.bmp", "z01.bmp", "z.bmp",
                                             "z-1.bmp", "z5.bmp.txt", "y3.bmp"};
    for (const auto& name : others) dir.Write(name, "not a frame");
    dir.Write("z17.bmp", "a frame of an earlier run that ended unsaved");
    dir.Write("Z18.BMP", "the same, as the system may spell it");
    StartRecording();
    Ticks(4);
    fake.controls.list.erase(fake.controls.list.begin() + 1);  // removed with Delete: still the recording's file
    Restore();
    EXPECT_EQ(saves.at(0).list.size(), 3u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), std::ssize(others));
    const std::string notAFrame = "not a frame";
    for (const auto& name : others)
        EXPECT_EQ(dir.Read(name), std::vector<std::uint8_t>(notAFrame.begin(), notAFrame.end())) << name;
    // The save runs the timer at 10 ms; then the interval rule puts 7.5 back as 8.
    EXPECT_EQ(fake.controls.timerLog, (std::vector<unsigned>{8, 0, 10, 8, 8}));
}

// The save runs out of memory after a first file took two frames: those two are gone from the
// list and the disk, the rest stay for "Save", and the timer, "Stop" and the offer to save are
// put back all the same.
TEST_F(RecorderTest, AFailedSaveKeepsTheFramesNotYetInAVideoAndSaveCanRetry) {
    outcome = SaveOutcome::Failed;
    StartRecording();
    Ticks(5);
    bool firstSave = true;
    writer.onSave = [&, noteWindow = writer.onSave] {
        noteWindow();
        if (!std::exchange(firstSave, false)) return;
        recorder.FramesInVideo(1, 2);  // behind a frame that could not be read
        throw std::bad_alloc();
    };
    EXPECT_THROW(Restore(), std::bad_alloc);
    const std::vector<std::string> kept = {Frame(0), Frame(3), Frame(4)};
    EXPECT_EQ(fake.controls.list, kept);
    EXPECT_EQ(ListFrameFiles(dir.str()), (std::vector<std::string>{"z0.bmp", "z3.bmp", "z4.bmp"}));
    EXPECT_EQ(fake.controls.timerLog.back(), 1u);
    EXPECT_TRUE(fake.controls.visible[Control::cmd]);
    EXPECT_TRUE(fake.controls.visible[Control::lst]);
    EXPECT_EQ(fake.controls.CheckValue(Control::Check2), 0);
    EXPECT_TRUE(fake.controls.enabled[Control::Check2]);

    recorder.cmd_Click();  // fails again: still kept, still offered
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_FALSE(saves[1].saveVisible);
    EXPECT_FALSE(saves[1].listVisible);
    EXPECT_EQ(saves[1].list, kept);
    EXPECT_EQ(fake.controls.list, kept);
    EXPECT_TRUE(fake.controls.visible[Control::cmd]);
    firstSave = true;
    fake.controls.checks[Control::Check2] = 1;  // "Stop" left ticked and disabled
    fake.controls.enabled[Control::Check2] = false;
    EXPECT_THROW(recorder.cmd_Click(), std::bad_alloc);  // and out of memory again
    EXPECT_TRUE(fake.controls.visible[Control::cmd] && fake.controls.visible[Control::lst]);
    EXPECT_EQ(fake.controls.timerLog.back(), 1u);
    EXPECT_EQ(fake.controls.CheckValue(Control::Check2), 0);
    EXPECT_TRUE(fake.controls.enabled[Control::Check2]);

    outcome = SaveOutcome::Saved;
    recorder.cmd_Click();
    EXPECT_TRUE(fake.controls.list.empty());
    EXPECT_FALSE(fake.controls.visible[Control::cmd]);
    EXPECT_FALSE(fake.controls.visible[Control::lst]);
}

// After a save that keeps failing (no first frame, every name taken...), a new recording
// is still reached: it asks first, and only a Yes, then OK at the start, discards the kept frames.
TEST_F(RecorderTest, ANewRecordingOverUnsavedFramesAsksWhetherToDiscardThem) {
    outcome = SaveOutcome::Failed;
    StartRecording();
    Ticks(3);
    Restore();
    dir.Write("z8.bmp", "a frame of an earlier run");
    dir.Write("Zelda.bmp", "not a frame");
    fake.messages.shown.clear();

    fake.messages.answers = {Answer::No};
    recorder.mnuRecordHQ_Click();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kDiscardUnsavedFramesText);
    EXPECT_EQ(fake.messages.shown[0].title, kApplicationTitle);
    EXPECT_EQ(fake.messages.shown[0].flags, MsgBox::YesNo | MsgBox::Exclamation);
    EXPECT_EQ(fake.controls.list, Frames(3));  // No keeps everything
    EXPECT_EQ(ListFrameFiles(dir.str()), (std::vector<std::string>{"z0.bmp", "z1.bmp", "z2.bmp", "z8.bmp"}));
    EXPECT_FALSE(fake.controls.minimized);
    EXPECT_TRUE(fake.controls.visible[Control::cmd]);

    screen.failCreate = true;  // Yes, but the recording cannot start: the frames stay
    recorder.mnuRecordHQ_Click();
    EXPECT_EQ(fake.controls.list, Frames(3));
    EXPECT_EQ(ListFrameFiles(dir.str()).size(), 4u);
    screen.failCreate = false;

    fake.messages.answers = {Answer::Yes, Answer::Cancel};  // Yes, but Cancel at the start: still kept
    recorder.mnuRecordHQ_Click();
    EXPECT_EQ(fake.controls.list, Frames(3));
    EXPECT_EQ(ListFrameFiles(dir.str()).size(), 4u);
    EXPECT_TRUE(fake.controls.visible[Control::cmd] && fake.controls.visible[Control::lst]);

    fake.messages.answers = {Answer::Yes, Answer::Ok};  // discard, then confirm the new recording
    recorder.mnuRecordHQ_Click();
    EXPECT_EQ(fake.messages.shown.at(5).text, kDiscardUnsavedFramesText);
    EXPECT_EQ(fake.messages.shown.at(6).text, kConfirmText);
    EXPECT_TRUE(fake.state.Grabando);
    EXPECT_TRUE(fake.controls.list.empty());
    EXPECT_FALSE(fake.controls.visible[Control::cmd]);
    EXPECT_FALSE(fake.controls.visible[Control::lst]);
    EXPECT_TRUE(dir.Exists("Zelda.bmp"));
    Ticks(1);
    EXPECT_EQ(fake.controls.list, Frames(1));
    EXPECT_EQ(ListFrameFiles(dir.str()), std::vector<std::string>{"z0.bmp"});
}

TEST_F(RecorderTest, SaveButtonClearsAStopLeftTickedAndRestartsTheTimer) {
    fake.controls.checks[Control::Check2] = 1;
    fake.controls.enabled[Control::Check2] = false;
    fake.controls.texts[Control::Text1] = "3.5";
    recorder.cmd_Click();
    EXPECT_EQ(fake.controls.CheckValue(Control::Check2), 0);
    EXPECT_TRUE(fake.controls.enabled[Control::Check2]);
    // 10 ms while saving, the interval rule after it, and again as "Stop" is cleared.
    EXPECT_EQ(fake.controls.timerLog, (std::vector<unsigned>{10, 4, 4}));

    // "Stop" already clear: only the save puts the timer back, whatever its outcome.
    for (SaveOutcome any : {SaveOutcome::Saved, SaveOutcome::Cancelled, SaveOutcome::Failed}) {
        outcome = any;
        fake.controls.timerLog.clear();
        recorder.cmd_Click();
        EXPECT_EQ(fake.controls.timerLog, (std::vector<unsigned>{10, 4}));
    }
}

TEST_F(RecorderTest, AFrameThatCannotBeWrittenStopsTheRecordingOnceAndKeepsTheRest) {
    std::filesystem::create_directory(dir.path() / "z2.bmp");  // a folder in the frame's place
    StartRecording();
    fake.messages.shown.clear();
    Ticks(5);
    EXPECT_EQ(fake.controls.list, Frames(2));
    EXPECT_EQ(fake.state.Numero, 2);
    EXPECT_EQ(fake.controls.caption, "2 frames captured...");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "Frame file could not be written:\r\n" + Frame(2) + "\r\n" +
                                               std::strerror(EISDIR) + "\r\n" + kRecordingStoppedText);
    EXPECT_EQ(fake.messages.shown[0].title, kApplicationTitle);
    EXPECT_EQ(fake.messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Exclamation);
    EXPECT_EQ(fake.controls.timerInterval, 0u);
    EXPECT_TRUE(recorder.StoppedByFailure());
    EXPECT_FALSE(dir.Exists("z3.bmp"));

    recorder.GrabFrame();  // a zoom click refreshes the preview but saves nothing more
    EXPECT_EQ(fake.controls.list.size(), 2u);

    Restore();  // saved as usual
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].list, Frames(2));
    EXPECT_TRUE(fake.controls.list.empty());

    std::filesystem::remove(dir.path() / "z2.bmp");
    StartRecording();  // the next recording starts afresh at z0
    Ticks(3);
    EXPECT_EQ(fake.controls.list, Frames(3));
    EXPECT_EQ(fake.controls.caption, "3 frames captured...");
    EXPECT_FALSE(recorder.StoppedByFailure());

    Restore();
    std::filesystem::create_directory(dir.path() / "z0.bmp");  // not even a first frame: none to save
    StartRecording();
    Ticks(2);
    EXPECT_EQ(fake.messages.shown.back().text, "Frame file could not be written:\r\n" + Frame(0) + "\r\n" +
                                                   std::strerror(EISDIR) + "\r\n" + kRecordingStoppedEmptyText);
    Restore();
    EXPECT_TRUE(saves.back().list.empty());
}

// A tick whose screen copy fails (a locked screen) takes no frame; the recording goes on and
// its end says once how many ticks gave no picture.
TEST_F(RecorderTest, TicksWithoutAPictureAreSkippedAndSaidOnceAtTheEnd) {
    StartRecording();
    Ticks(2);
    screen.failCopy = true;
    Ticks(3);
    screen.failCopy = false;
    Ticks(1);
    Restore();
    ASSERT_EQ(fake.messages.shown.size(), 2u);  // the confirmation, then the count
    EXPECT_EQ(fake.messages.shown[1].text, TicksWithoutPictureText(3));
    EXPECT_EQ(saves.at(0).list, Frames(3));
}

// Every step of a frame that fails stops the recording as a failed write does: one
// message, the frames so far kept and saved as usual, nothing left unlisted on disk. So
// does a disk that would no longer keep room for the recording's own video.
TEST_F(RecorderTest, AFailedListAddOrTimerOrAFullDiskStopsTheRecordingOnce) {
    struct Case {
        const char* step;
        std::function<void()> fail;
        std::string text;
    };
    // A frame file of 70 bytes; the video of three frames of 16 bytes, each 25 more in the file;
    // the margin of 16 MiB: one byte short for the third frame.
    constexpr std::uint64_t kRoomForTwo = 70 + 65536 + 3 * (16 + 25) + (16u << 20) - 1;
    const std::vector<Case> cases = {
        {"list add", [&] { fake.controls.failListAdd = true; },
         kFrameNotListedText + "\r\n" + Frame(2) + "\r\n" + kRecordingStoppedText},
        {"timer", [&] {
             fake.controls.failTimer = true;
             recorder.Text1_LostFocus();
         }, kTimerNotSetText + "\r\n" + kRecordingStoppedText},
        {"disk", [&] { fake.disk.freeBytes = kRoomForTwo; }, kDiskNearlyFullText + "\r\n" + kRestoreToSaveText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        StartRecording();
        fake.clock.step = 0;  // the second frame's count is held back, and shown when the recording stops
        Ticks(2);
        fake.messages.shown.clear();
        c.fail();
        Ticks(3);
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0].text, c.text);
        EXPECT_EQ(fake.messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Exclamation);
        EXPECT_TRUE(recorder.StoppedByFailure());
        EXPECT_EQ(fake.controls.timerInterval, 0u);
        EXPECT_EQ(fake.controls.list, Frames(2));
        EXPECT_EQ(ListFrameFiles(dir.str()), (std::vector<std::string>{"z0.bmp", "z1.bmp"}));
        EXPECT_EQ(fake.controls.caption, "2 frames captured...");

        fake.controls.failListAdd = fake.controls.failTimer = false;
        fake.disk.freeBytes.reset();
        fake.clock.step = 1000;
        Restore();
        EXPECT_EQ(saves.back().list, Frames(2));
        EXPECT_TRUE(fake.controls.list.empty());
    }
}

TEST_F(RecorderTest, ATimerThatCannotBeStartedRecordsNothingAndSaysSo) {
    fake.controls.failTimer = true;
    StartRecording();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kTimerNotSetText);
    EXPECT_FALSE(fake.controls.minimized);
    EXPECT_FALSE(fake.state.Grabando);
}

TEST_F(RecorderTest, GrabWithoutACapturePictureDoesNothing) {
    recorder.GrabFrame();
    EXPECT_TRUE(screen.calls.empty());

    fake.controls.checks[Control::Check2] = 1;  // prepared, not recording: refresh only
    StartRecording();
    recorder.GrabFrame();
    EXPECT_EQ(screen.calls.back(), "preview capture");
    EXPECT_TRUE(fake.controls.list.empty());
    EXPECT_FALSE(dir.Exists("z0.bmp"));
    screen.failCopy = true;  // a zoom click whose copy fails says so
    recorder.GrabFrame();
    EXPECT_EQ(fake.messages.shown.back().text, kScreenNotCopiedText);
}

// Frames an earlier run left unsaved are offered at start as after a failed save, in
// frame-number order; nothing is written or deleted.
TEST_F(RecorderTest, FramesLeftUnsavedAreListedAtStartInFrameNumberOrder) {
    recorder.OfferFramesLeftUnsaved();  // none: nothing is said
    for (const char* name : {"z10.bmp", "z2.bmp", "Z0.BMP", "Zelda.bmp"}) dir.Write(name, "kept");
    std::filesystem::create_directory(dir.path() / "z5.bmp");  // a folder is no frame
    recorder.OfferFramesLeftUnsaved();
    EXPECT_EQ(fake.controls.list, (std::vector<std::string>{dir.File("Z0.BMP"), Frame(2), Frame(10)}));
    EXPECT_TRUE(fake.controls.visible[Control::cmd] && fake.controls.visible[Control::lst]);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, UnsavedFramesFoundText(3));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 5);
    EXPECT_TRUE(fake.state.TamanoCuadroW == 640 && fake.state.TamanoCuadroH == 480);  // the higher quality
}

class FrameListTest : public RecorderTest {
protected:
    void SetUp() override {
        for (const char* name : {"z0.bmp", "z1.bmp", "z2.bmp"}) fake.controls.list.push_back(dir.File(name));
    }
};

TEST_F(FrameListTest, DeleteRemovesTheSelectedEntryAndShowsTheFirst) {
    fake.controls.listIndex = 1;
    recorder.lst_KeyDown(kDeleteKey, 0);
    EXPECT_EQ(fake.controls.list, (std::vector<std::string>{Frame(0), Frame(2)}));
    EXPECT_EQ(fake.controls.listIndex, 0);
    EXPECT_EQ(screen.previewFile, Frame(0));
}

TEST_F(FrameListTest, DeleteIgnoresOtherKeysALastEntryAndNoSelection) {
    recorder.lst_KeyDown(kDeleteKey, 0);  // nothing selected
    fake.controls.listIndex = 2;
    recorder.lst_KeyDown(8, 0);  // backspace is not Delete
    EXPECT_EQ(fake.controls.list.size(), 3u);
    fake.controls.list.resize(1);
    fake.controls.listIndex = 0;
    recorder.lst_KeyDown(kDeleteKey, 0);
    EXPECT_EQ(fake.controls.list.size(), 1u);
    EXPECT_TRUE(screen.calls.empty());
}

TEST_F(FrameListTest, SelectionShowsItsFrameAndAnUnreadableOneKeepsThePreview) {
    fake.controls.listIndex = 2;
    recorder.lst_Click();
    EXPECT_EQ(screen.previewFile, Frame(2));
    screen.unloadable.push_back(Frame(1));
    fake.controls.listIndex = 1;
    recorder.lst_Click();
    EXPECT_EQ(screen.previewFile, Frame(2));
    EXPECT_TRUE(fake.messages.shown.empty());
    fake.controls.listIndex = -1;
    recorder.lst_Click();
    EXPECT_EQ(screen.calls.size(), 2u);
}

}  // namespace
}  // namespace vfe
