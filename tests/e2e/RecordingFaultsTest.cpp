// Faults in the middle of a recording: the emulator killed, the front-end closed, frame
// files damaged before the save, and odd texts in the interval box. After each the
// program still answers (or, when closed, ended normally) and no file is lost.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "support/E2E.h"

namespace {

using e2e::FrontEnd;
using e2e::Milliseconds;

constexpr const char* kEmulatorCaption = "Velmoran Alpha v0.2a";
constexpr const char* kIncomplete = "Video file could not be written completely:";

class RecordingFaults : public e2e::FrontEndTest {
protected:
    void StartRecording(const FrontEnd& fe, int frames) {
        ASSERT_TRUE(e2e::LaunchEmulatorAndRecord(fe));
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FramesInCaption(fe.window()) >= frames; }, Milliseconds(30000)));
    }

    // Restores the window (which ends the recording and saves), accepting the compression
    // dialog and every box after it until "Saved" or a failure box; gives the boxes' titles and texts.
    std::vector<std::string> RestoreAndSave(const FrontEnd& fe) {
        ShowWindowAsync(fe.window(), SW_RESTORE);
        std::vector<std::string> shown;
        while (const auto box = e2e::WaitForMessageBox(fe, Milliseconds(20000))) {
            shown.push_back(box->title + " | " + box->text);
            if (!e2e::Answer(*box, IDOK)) {
                ADD_FAILURE() << "the box did not go: " << shown.back();
                break;
            }
            if (box->title == "KO!" || box->text.starts_with("Saved ") || box->text.starts_with(kIncomplete)) break;
        }
        return shown;
    }
};

TEST_F(RecordingFaults, TheEmulatorKilledDuringARecordingLosesNothing) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(StartRecording(fe, 5));

    const HWND emulator = e2e::FindTopWindow(kEmulatorCaption);
    ASSERT_TRUE(emulator);
    {
        vfe::win32::KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, e2e::ProcessIdOf(emulator)));
        ASSERT_TRUE(process.get());
        TerminateProcess(process.get(), 9);
        WaitForSingleObject(process.get(), 5000);
    }
    const int atKill = e2e::FramesInCaption(fe.window());
    // The grabber copies the screen, not the emulator: it goes on while the emulator is gone.
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FramesInCaption(fe.window()) >= atKill + 3; }));
    EXPECT_TRUE(e2e::Answers(fe.window()));

    const auto shown = RestoreAndSave(fe);
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(shown.back().find("Saved ") != std::string::npos) << shown.back();
    EXPECT_EQ(folder.Videos().size(), 1u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));
    EXPECT_TRUE(fe.process.IsRunning());
    EXPECT_TRUE(folder.Read(e2e::kFlashName) == e2e::FlashImage('0'));
}

TEST_F(RecordingFaults, TheFrontEndClosedDuringARecordingLeavesItsFrames) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(StartRecording(fe, 5));
    const auto filesBefore = folder.Files();

    PostMessageA(fe.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(fe.process.WaitForExit());
    EXPECT_EQ(fe.process.ExitCode(), 0u) << "closed normally, not crashed";

    const auto frames = folder.FrameFiles();
    EXPECT_GE(frames.size(), 5u);
    for (const auto& frame : frames) EXPECT_GT(folder.Read(frame).size(), 54u) << frame << " is cut short";
    // Nothing that was there before went, no video was made, and the emulator runs on.
    const auto filesAfter = folder.Files();
    for (const auto& name : filesBefore)
        EXPECT_NE(std::find(filesAfter.begin(), filesAfter.end(), name), filesAfter.end()) << name << " was lost";
    EXPECT_TRUE(folder.Videos().empty());
    const HWND emulator = e2e::FindTopWindow(kEmulatorCaption);
    ASSERT_TRUE(emulator && folder.StandinCaughtUp("velmoran.exe", emulator));
    EXPECT_TRUE(IsWindow(emulator));
    for (const auto& line : folder.LogLines("velmoran.exe")) EXPECT_NE(line, "WM_CLOSE");
    EXPECT_TRUE(folder.Read(e2e::kFlashName) == e2e::FlashImage('0'));
}

// Frame files damaged between the recording and the save: the save refuses or skips them
// with a message, never crashes, and files that are not frames stay.
// (The preview once handed such files to the system's loader, which hung on them under Wine.)
TEST_F(RecordingFaults, DamagedFrameFilesInTheListDoNotBreakTheSave) {
    folder.Write("Zelda.bmp", "BM not ours");
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(StartRecording(fe, 8));
    const std::string first = folder.Read("z1.bmp");
    ASSERT_GT(first.size(), 54u);
    // Truncated, forged (huge sizes in the header), not a bitmap, empty, and missing.
    folder.Write("z1.bmp", first.substr(0, first.size() / 2));
    std::string forged = first;
    const std::uint32_t huge = 0x7FFFFFF0;
    std::memcpy(forged.data() + 18, &huge, 4);  // biWidth
    std::memcpy(forged.data() + 34, &huge, 4);  // biSizeImage
    folder.Write("z2.bmp", forged);
    folder.Write("z3.bmp", "not a bitmap at all");
    folder.Write("z4.bmp", "");
    folder.Remove("z5.bmp");

    const auto shown = RestoreAndSave(fe);
    for (const auto& text : shown) std::printf("box: %s\n", text.c_str());
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(shown.back().find("Saved ") != std::string::npos) << shown.back();
    // Each damaged frame was named in its own message, and the save went on past it.
    int refused = 0;
    for (const auto& text : shown)
        if (text.find("File does not exist:") != std::string::npos ||
            text.find("File is not a supported bitmap format:") != std::string::npos)
            ++refused;
    EXPECT_EQ(refused, 5);
    EXPECT_EQ(folder.Videos().size(), 1u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));
    EXPECT_TRUE(fe.process.IsRunning());
    EXPECT_TRUE(e2e::Answers(fe.window()));
    EXPECT_EQ(folder.Read("Zelda.bmp"), "BM not ours");
    EXPECT_TRUE(folder.Read(e2e::kFlashName) == e2e::FlashImage('0'));
}

// A video whose writes fail late (the disk fills, say): the library reports each write a
// success, so only the finished file can tell. Frame files (3 MiB each) fit under the
// limit, the video of several of them does not.
TEST_F(RecordingFaults, AVideoCutShortByALateWriteFailureIsNotReportedSaved) {
    constexpr std::size_t kLimit = 10u << 20;
    FrontEnd fe(folder, "ulimit -f " + std::to_string(kLimit / 512) + "; trap '' XFSZ");
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(StartRecording(fe, 6));
    const auto shown = RestoreAndSave(fe);
    ASSERT_FALSE(shown.empty());
    for (const auto& text : shown) EXPECT_EQ(text.find("Saved "), std::string::npos) << text;
    EXPECT_EQ(shown.back().find("Video file saved succesfully!"), std::string::npos) << shown.back();
    EXPECT_EQ(shown.back().find(std::string("Velmoran Front-End2 | ") + kIncomplete), 0u) << shown.back();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), shown.back()), 1) << "one message";
    // Nothing is lost: the frames stay, listed, for another try; the damaged file, which would
    // take that try's room, is gone.
    const HWND list = e2e::ChildOfClass(fe.window(), "ListBox");
    ASSERT_TRUE(list);
    const auto listed = static_cast<std::size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_GE(listed, 6u);
    EXPECT_EQ(folder.FrameFiles().size(), listed);
    EXPECT_TRUE(folder.Videos().empty());
    EXPECT_TRUE(e2e::Answers(fe.window()));
}

// Whatever the interval box is given, the program parses it when the box loses the
// focus and goes on; a recording afterwards runs and is saved. The box can only hold the
// focus while the window shows, as for a user: the texts are given before the recording.
// Counts the files of the folder that were lost or changed.
TEST_F(RecordingFaults, OddIntervalTextsAreTakenWithoutHarm) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    const HWND interval = e2e::ChildOfClass(fe.window(), "Edit");
    ASSERT_TRUE(interval);
    const auto filesBefore = folder.Files();
    // The focus moved by this thread, attached to the program's input: each move sends the
    // box its focus loss, and the program has handled it when SetFocus returns.
    const DWORD programThread = GetWindowThreadProcessId(fe.window(), nullptr);
    ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), programThread, TRUE));
    const auto enter = [&](const char* text) {
        SendMessageA(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        SetFocus(interval);
        const bool focused = GetFocus() == interval;
        SetFocus(fe.window());
        return focused && GetFocus() == fe.window();
    };
    int tried = 0;
    for (const char* text : {"", "abc", "-5", "0", "1e999", "&HFFFFFFFF", "99999999999999999999", "   ", "2.5.5",
                             "&O", "1,5", "\xE9\xE9", "65536", "NaN", "-0"}) {
        ++tried;
        EXPECT_TRUE(enter(text)) << "the box did not take and lose the focus: " << text;
        ASSERT_TRUE(e2e::Answers(fe.window())) << text;
    }
    EXPECT_TRUE(enter("2.5.5"));
    AttachThreadInput(GetCurrentThreadId(), programThread, FALSE);

    ASSERT_NO_FATAL_FAILURE(StartRecording(fe, 3));
    const auto shown = RestoreAndSave(fe);
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(shown.back().find("Saved ") != std::string::npos) << shown.back();
    EXPECT_EQ(folder.Videos().size(), 1u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));

    const auto filesAfter = folder.Files();
    int lost = 0;
    for (const auto& name : filesBefore)
        if (std::find(filesAfter.begin(), filesAfter.end(), name) == filesAfter.end()) ++lost;
    if (folder.Read(e2e::kFlashName) != e2e::FlashImage('0')) ++lost;
    const int crashes = fe.process.IsRunning() ? 0 : 1;
    std::printf("bad inputs tried: %d, crashes: %d, files lost: %d\n", tried, crashes, lost);
    EXPECT_EQ(crashes, 0);
    EXPECT_EQ(lost, 0);
}

}  // namespace
