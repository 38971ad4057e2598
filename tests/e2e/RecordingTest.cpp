// A recording as a user makes one: launch the emulator, record, restore the window,
// accept the compression dialog; the AVI is then checked with ffprobe and ffmpeg.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>
#include <utility>

#include "platform/MainWindowIds.h"
#include "support/E2E.h"
#include "video/AviFileCheck.h"
#include "win32/MainWindow.h"

namespace {

using e2e::FrontEnd;
using e2e::Milliseconds;
using e2e::RunUnix;
using e2e::ShellQuoted;
using e2e::UnixPath;
using e2e::WaitForCompressionDialog;

constexpr const char* kEmulatorCaption = "Velmoran Alpha v0.2a";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

// ---- The front-end's window ---------------------------------------------------------

// A message box: text and buttons only, unlike the system's compression dialogs (Wine
// shows two, "Compress options" around "Video Compression"), which hold lists.
std::optional<e2e::MessageBoxInfo> WaitForBox(const FrontEnd& fe, Milliseconds timeout = e2e::kTimeout) {
    return e2e::WaitForDialog(
        fe.process.id(),
        [](HWND window) {
            return GetDlgItem(window, 0xFFFF) != nullptr && !e2e::ChildOfClass(window, "ComboBox") &&
                   !e2e::ChildOfClass(window, "ListBox");
        },
        timeout);
}

// A button clicked as the button itself would: "+" grabs one frame, "Save" saves the list.
void Click(const FrontEnd& fe, vfe::Control button) {
    const int id = vfe::win32::kControlIdBase + static_cast<int>(button);
    PostMessageA(fe.window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The pixel rows of a BMP file (everything after its header and colour table).
std::string BmpPixels(const std::string& file) {
    if (file.size() < 54) return {};
    std::uint32_t offset = 0;
    std::memcpy(&offset, file.data() + 10, sizeof offset);
    return offset <= file.size() ? file.substr(offset) : std::string();
}

// ---- The recording fixture ----------------------------------------------------------

class Recording : public e2e::FrontEndTest {
protected:
    explicit Recording(const e2e::FolderContents& contents = {}) : FrontEndTest(contents) {}

    // Helpers that assert are called through ASSERT_NO_FATAL_FAILURE, so a test stops at once.
    void LaunchEmulator(const FrontEnd& fe) {
        ASSERT_TRUE(e2e::Menu(fe, "r", "a"));  // Run > Velmoran Alpha
        ASSERT_TRUE(e2e::WaitForWindow(kEmulatorCaption));
    }
    static void ChooseRecordHighQuality(const FrontEnd& fe) {
        EXPECT_TRUE(e2e::Menu(fe, "u", "a", "{down}", "{enter}"));  // Utilities > Avi Recorder > High Quality
    }

    // Records until the caption counts `frames`, answering the confirmation with OK.
    void RecordFrames(const FrontEnd& fe, int frames, Milliseconds timeout = Milliseconds(30000)) {
        ChooseRecordHighQuality(fe);
        const auto confirm = WaitForBox(fe);
        ASSERT_TRUE(confirm);
        EXPECT_EQ(confirm->title, "Start Recording");
        EXPECT_EQ(confirm->text, "Press 'Ok' to Start Recording");
        EXPECT_TRUE(confirm->ok && confirm->cancel);
        EXPECT_TRUE(IsIconic(fe.window()));
        const auto started = e2e::Clock::now();
        ASSERT_TRUE(e2e::Answer(*confirm, IDOK));
        ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FramesInCaption(fe.window()) >= frames; }, timeout))
            << e2e::WindowText(fe.window());
        const double seconds = std::chrono::duration<double>(e2e::Clock::now() - started).count();
        std::printf("recorded %d frames in %.2f s: %.1f frames per second\n", e2e::FramesInCaption(fe.window()), seconds,
                    e2e::FramesInCaption(fe.window()) / seconds);
        std::fflush(stdout);
    }

    // Restores the window, which ends the recording; returns the compression dialog.
    std::optional<e2e::MessageBoxInfo> RestoreForTheCompressionDialog(const FrontEnd& fe) {
        // Posted: the restore runs the whole save, dialog included, before it returns.
        ShowWindowAsync(fe.window(), SW_RESTORE);
        return WaitForCompressionDialog(fe);
    }

    // A short recording whose save is cancelled leaves the capture panel up: the frame
    // list and "Save" shown, the preview showing a frame. The window is then enlarged to
    // the screen, so that the panel shows.
    void ShowTheCapturePanel(const FrontEnd& fe) {
        ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
        ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 3));
        const auto dialog = RestoreForTheCompressionDialog(fe);
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(e2e::Answer(*dialog, IDCANCEL));
        ASSERT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));
        SetWindowPos(fe.window(), nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                     SWP_NOZORDER);
        ASSERT_TRUE(e2e::Answers(fe.window()));
    }

    int FramesListed(const FrontEnd& fe) const {
        const HWND list = e2e::ChildOfClass(fe.window(), "ListBox");
        return list ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : -1;
    }

    // Accepts the "Saved " message and gives the paths it names, one per line.
    std::string AcceptSavedMessage(const FrontEnd& fe) {
        const auto saved = WaitForBox(fe, Milliseconds(60000));
        if (!saved) {
            ADD_FAILURE() << "no message after the save";
            return {};
        }
        EXPECT_EQ(saved->title, "Video file saved succesfully!");
        EXPECT_TRUE(saved->text.starts_with("Saved ")) << saved->text;
        e2e::Answer(*saved, IDOK);
        std::string names = saved->text.substr(std::min<std::size_t>(6, saved->text.size()));
        names.erase(std::remove(names.begin(), names.end(), '\r'), names.end());
        return names;
    }

    // ffprobe's view of the video: one video stream at 5/1 fps of frames as large as the
    // screen, whatever its size, every packet a key frame.
    void ExpectVideoOf(const std::string& aviPath, int frames, const std::string& firstFramePixels) {
        const std::string avi = ShellQuoted(UnixPath(aviPath));
        const auto streams = RunUnix(
            "/usr/bin/ffprobe -v error -count_frames -show_entries "
            "stream=codec_type,width,height,r_frame_rate,nb_read_frames -of csv=p=0 " + avi);
        ASSERT_TRUE(streams) << "ffprobe could not read " << aviPath;
        const auto streamLines = Lines(*streams);
        ASSERT_EQ(streamLines.size(), 1u) << *streams;
        const std::string screen =
            std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
        if (const char* display = std::getenv("VFE_E2E_SCREEN")) {
            EXPECT_EQ(screen, display) << "not the display asked for";
        }
        EXPECT_EQ(streamLines[0], "video," + screen.substr(0, screen.find('x')) + "," + screen.substr(screen.find('x') + 1) +
                                      ",5/1," + std::to_string(frames));

        const auto packets =
            RunUnix("/usr/bin/ffprobe -v error -select_streams v -show_entries packet=flags -of csv=p=0 " + avi);
        ASSERT_TRUE(packets);
        const auto flags = Lines(*packets);
        EXPECT_EQ(flags.size(), static_cast<std::size_t>(frames));
        for (const auto& flag : flags) EXPECT_EQ(flag[0], 'K') << "not a key frame: " << flag;

        // The first packet as stored: the frame's bytes exactly as the grabber saved them.
        ASSERT_TRUE(RunUnix("/usr/bin/ffmpeg -v error -y -i " + avi + " -frames:v 1 -c:v copy -f rawvideo " +
                            ShellQuoted(UnixPath(folder / "first.raw"))));
        const std::string raw = folder.Read("first.raw");
        EXPECT_EQ(raw.size(), firstFramePixels.size());
        EXPECT_TRUE(raw == firstFramePixels) << "the first frame's pixels differ from z0.bmp's";
    }

    // Accepts the compression dialog: the video holds every listed frame, and the frame files go.
    void ExpectEveryListedFrameSaved(const FrontEnd& fe, const e2e::MessageBoxInfo& dialog) {
        const int frames = FramesListed(fe);
        const std::string firstFrame = BmpPixels(folder.Read("z0.bmp"));
        ASSERT_TRUE(e2e::Answer(dialog, IDOK));
        ExpectVideoOf(AcceptSavedMessage(fe), frames, firstFrame);
        EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));
    }
};

TEST_F(Recording, SavesTheFramesAsAFiveFramesPerSecondVideo) {
    folder.Write("Zelda.bmp", "BM not a frame of ours");
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 30));

    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog);
    // Recording has ended: what is listed now is the whole recording.
    const int frames = FramesListed(fe);
    EXPECT_GE(frames, 30);
    EXPECT_EQ(folder.FrameFiles().size(), static_cast<std::size_t>(frames));
    const std::string firstFrame = BmpPixels(folder.Read("z0.bmp"));
    ASSERT_FALSE(firstFrame.empty());
    const auto saving = e2e::Clock::now();
    ASSERT_TRUE(e2e::Answer(*dialog, IDOK));

    const std::string saved = AcceptSavedMessage(fe);
    std::printf("saved %d frames in %.2f s\n", frames,
                std::chrono::duration<double>(e2e::Clock::now() - saving).count());
    ASSERT_EQ(folder.Videos().size(), 1u);
    EXPECT_EQ(std::filesystem::path(saved).filename().string(), folder.Videos()[0]);
    ExpectVideoOf(saved, frames, firstFrame);

    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); })) << folder.FrameFiles().size() << " frames left";
    EXPECT_EQ(folder.Read("Zelda.bmp"), "BM not a frame of ours");
    EXPECT_EQ(FramesListed(fe), 0);
    EXPECT_TRUE(fe.process.IsRunning());
}

// One checksum per frame, in order, of the pixels as ffmpeg decodes them from `input` (its
// options and file), alpha and row padding left out.
std::vector<std::string> FrameChecksums(const std::string& input) {
    const auto lines = RunUnix("/usr/bin/ffmpeg -v error " + input + " -pix_fmt rgb24 -f framemd5 -", Milliseconds(120000));
    std::vector<std::string> sums;
    for (const auto& line : Lines(lines.value_or("")))
        if (line[0] != '#') sums.push_back(line.substr(line.rfind(',') + 1));
    return sums;
}

// About 1,000 frames of the 1024 x 768 screen (3 MiB each) are more than one file of the AVI
// library takes: the videos together hold every frame once, in order, each below 2 GiB and
// whole, and the frame files are gone only then.
TEST_F(Recording, ARecordingPastTwoGibibytesEndsUpFrameForFrameInWholeVideos) {
    constexpr std::uintmax_t kRoomNeeded = 7'000'000'000;
    if (std::filesystem::space(folder.path()).available < kRoomNeeded)
        GTEST_SKIP() << "needs 7 GB of free disk in " << folder.path();
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 1000, Milliseconds(120000)));
    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog);
    const int frames = FramesListed(fe);
    ASSERT_EQ(folder.FrameFiles().size(), static_cast<std::size_t>(frames));
    const auto recorded = FrameChecksums("-framerate 5 -i " + ShellQuoted(UnixPath(folder / "z%d.bmp")));
    ASSERT_EQ(recorded.size(), static_cast<std::size_t>(frames));
    const auto saving = e2e::Clock::now();
    ASSERT_TRUE(e2e::Answer(*dialog, IDOK));

    const auto videos = Lines(AcceptSavedMessage(fe));
    std::printf("saved %d frames in %.2f s\n", frames, std::chrono::duration<double>(e2e::Clock::now() - saving).count());
    EXPECT_GE(videos.size(), 2u);
    std::vector<std::string> saved;
    for (const auto& video : videos) {
        SCOPED_TRACE(video);
        EXPECT_LT(std::filesystem::file_size(video), std::uintmax_t{1} << 31);
        const auto part = FrameChecksums("-i " + ShellQuoted(UnixPath(video)));
        EXPECT_TRUE(vfe::IsWholeVideo(video, static_cast<std::int64_t>(part.size())));
        saved.insert(saved.end(), part.begin(), part.end());
    }
    EXPECT_EQ(folder.Videos().size(), videos.size());
    EXPECT_TRUE(saved == recorded) << saved.size() << " frames in the videos, " << recorded.size() << " recorded";
    EXPECT_TRUE(folder.FrameFiles().empty()) << folder.FrameFiles().size() << " frames left";
}

TEST_F(Recording, RefusesBeforeAnyLaunch) {
    e2e::Process emulator = folder.Start("velmoran.exe");  // running, but not launched by us
    ASSERT_TRUE(e2e::WaitForWindow(kEmulatorCaption));
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ChooseRecordHighQuality(fe);
    const auto box = WaitForBox(fe);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Velmoran is not running!");
    EXPECT_EQ(box->text, "Velmoran is not running!");
    EXPECT_TRUE(box->ok && !box->cancel);
    ASSERT_TRUE(e2e::Answer(*box, IDOK));
    EXPECT_FALSE(IsIconic(fe.window()));
    EXPECT_TRUE(folder.FrameFiles().empty());
}

TEST_F(Recording, CancelAtTheConfirmationRecordsNothing) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ChooseRecordHighQuality(fe);
    const auto confirm = WaitForBox(fe);
    ASSERT_TRUE(confirm);
    ASSERT_TRUE(e2e::Answer(*confirm, IDCANCEL));
    Click(fe, vfe::Control::cmdZoomIn);  // grabs a frame, which a running recording would store
    ASSERT_TRUE(e2e::HandledPostedMessages(fe.window()));
    EXPECT_TRUE(folder.FrameFiles().empty());
    // Returns once the restore's resize has run, so what it posted is handled before the check.
    ShowWindow(fe.window(), SW_RESTORE);
    EXPECT_TRUE(e2e::ShowsNoDialog(fe)) << "no video is written";
    EXPECT_TRUE(folder.Videos().empty());
    EXPECT_TRUE(fe.process.IsRunning());
}

TEST_F(Recording, CancelInTheCompressionDialogDiscardsTheRecording) {
    const std::vector<std::string> others = {"Zelda.bmp", "zz.bmp", "z1a.bmp"};
    for (const auto& name : others) folder.Write(name, "BM kept");
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 5));
    folder.Write("z999.bmp", "a frame file not of this recording");
    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(e2e::Answer(*dialog, IDCANCEL));
    EXPECT_TRUE(e2e::ShowsNoDialog(fe)) << "a cancel says nothing";
    EXPECT_TRUE(folder.FrameFiles().empty());
    EXPECT_EQ(FramesListed(fe), 0);
    for (const auto& name : others) EXPECT_EQ(folder.Read(name), "BM kept") << name;
    EXPECT_EQ(e2e::WindowText(fe.window()).find(e2e::kFramesSuffix), std::string::npos);
}

// Another program that restores the window (ShowWindow sends its work to the window's
// thread and waits for it) gets its call back at once, not when the person has finished
// with the compression dialog.
TEST_F(Recording, AnotherProgramRestoringTheWindowIsNotHeldByTheSave) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 3));
    std::atomic<bool> returned{false};
    std::thread restorer([&] {
        ShowWindow(fe.window(), SW_RESTORE);
        returned = true;
    });
    const auto dialog = WaitForCompressionDialog(fe);
    EXPECT_TRUE(dialog);
    // The restore's own work is done before the dialog comes.
    EXPECT_TRUE(e2e::WaitUntil([&] { return returned.load(); })) << "the restoring program waits for the dialog";
    if (dialog) e2e::Answer(*dialog, IDCANCEL);
    if (!e2e::WaitUntil([&] { return returned.load(); })) fe.process.Kill();  // lets the call return
    restorer.join();
    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));
}

// During a long save the window answers what other programs send it (the system would take it
// for hung otherwise), shows its progress, and ends with the caption it had before.
TEST_F(Recording, TheWindowAnswersOtherProgramsDuringALongSave) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 300, Milliseconds(60000)));
    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog && e2e::Answer(*dialog, IDOK));
    int answered = 0, unanswered = 0;
    bool progressSeen = false;
    std::optional<e2e::MessageBoxInfo> saved;
    while (!(saved = WaitForBox(fe, Milliseconds(0)))) {
        DWORD_PTR result = 0;
        const bool ok = SendMessageTimeoutA(fe.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
        if (!ok) std::printf("not answered within 1 s at \"%s\"\n", e2e::WindowText(fe.window()).c_str());
        (ok ? answered : unanswered)++;
        progressSeen = progressSeen || e2e::WindowText(fe.window()).starts_with("Frame: ");
        ASSERT_LT(answered + unanswered, 2000) << "no end of the save";
    }
    std::printf("during the save: %d calls answered, %d not\n", answered, unanswered);
    EXPECT_EQ(unanswered, 0);
    EXPECT_GE(answered, 3);
    EXPECT_TRUE(progressSeen);
    EXPECT_TRUE(saved->text.starts_with("Saved ")) << saved->text;
    e2e::Answer(*saved, IDOK);
    EXPECT_EQ(e2e::WindowText(fe.window()), "Running velmoran.exe");
}

TEST_F(Recording, AnExistingVideoOfTheSameNameIsKept) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 5));
    // Whatever second the save starts in within the next two minutes, its name is taken.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const int start = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    std::vector<std::string> older;
    for (int second = start; second < start + 120; ++second) {
        char name[32];
        const int t = second % 86400;
        std::snprintf(name, sizeof name, "Velmoran_Cap_%02d%02d%02d.avi", t / 3600, t / 60 % 60, t % 60);
        folder.Write(name, std::string("older video ") + name);
        older.push_back(name);
    }
    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(e2e::Answer(*dialog, IDOK));
    const std::string saved = AcceptSavedMessage(fe);
    const std::string savedName = std::filesystem::path(saved).filename().string();
    EXPECT_EQ(std::find(older.begin(), older.end(), savedName), older.end()) << savedName;
    for (const auto& name : older) EXPECT_EQ(folder.Read(name), "older video " + name);
    EXPECT_TRUE(folder.Exists(savedName));
}

TEST_F(Recording, AFrameThatCannotBeWrittenStopsTheRecordingAndTheRestIsSaved) {
    std::filesystem::create_directory(folder / "z5.bmp");  // a folder where frame 5 would go
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ChooseRecordHighQuality(fe);
    const auto confirm = WaitForBox(fe);
    ASSERT_TRUE(confirm);
    ASSERT_TRUE(e2e::Answer(*confirm, IDOK));

    const auto stopped = WaitForBox(fe, Milliseconds(30000));
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->title, "Velmoran Front-End2");
    EXPECT_TRUE(stopped->text.starts_with("Frame file could not be written:")) << stopped->text;
    EXPECT_NE(stopped->text.find("z5.bmp"), std::string::npos) << stopped->text;
    ASSERT_TRUE(e2e::Answer(*stopped, IDOK));
    Click(fe, vfe::Control::cmdZoomIn);  // grabs a frame, which a recording still on would try to store
    EXPECT_TRUE(e2e::ShowsNoDialog(fe)) << "one message only";
    EXPECT_EQ(e2e::FramesInCaption(fe.window()), 5);

    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(FramesListed(fe), 5);
    ExpectEveryListedFrameSaved(fe, *dialog);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "z5.bmp"));
}

// A recording cut off by a crash: the next start lists its frames (numbers with gaps, in
// frame-number order), says so once, and "Save" makes them a video.
TEST_F(Recording, FramesLeftByACrashAreOfferedAtTheNextStartAndSaved) {
    {
        FrontEnd crashed(folder);
        ASSERT_TRUE(crashed.window());
        // A frame a second: the crash comes between two writes, not in the middle of one.
        SendMessageA(e2e::ChildOfClass(crashed.window(), "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1000"));
        ASSERT_NO_FATAL_FAILURE(LaunchEmulator(crashed));
        ASSERT_NO_FATAL_FAILURE(RecordFrames(crashed, 3));
        ASSERT_TRUE(TerminateProcess(crashed.process.handle(), 9) && crashed.process.WaitForExit());
    }
    ASSERT_EQ(folder.FrameFiles(), (std::vector<std::string>{"z0.bmp", "z1.bmp", "z2.bmp"}));
    const auto recorded = FrameChecksums("-framerate 5 -i " + ShellQuoted(UnixPath(folder / "z%d.bmp")));
    std::filesystem::rename(folder / "z2.bmp", folder / "z10.bmp");
    std::filesystem::rename(folder / "z1.bmp", folder / "z9.bmp");
    const std::string firstFrame = BmpPixels(folder.Read("z0.bmp"));
    // Two more of a recording made on a smaller screen: frames of two sizes, two videos.
    std::string small = folder.Read("z0.bmp").substr(0, 54 + 64 * 48 * 4);
    for (const auto& [at, value] : {std::pair{2, 54 + 64 * 48 * 4}, {18, 64}, {22, 48}, {34, 64 * 48 * 4}})
        std::memcpy(small.data() + at, &value, 4);
    folder.Write("z11.bmp", small);
    folder.Write("z12.bmp", small);
    const auto filesBefore = folder.Files();

    FrontEnd fe(folder);
    const auto found = WaitForBox(fe);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->text, "5 frames of an unsaved recording were found.\r\n\"Save\" (in the capture panel: enlarge "
                           "the window) makes a video of them; a new recording discards them after asking.");
    EXPECT_EQ(folder.Files(), filesBefore) << "something was written or deleted at start";
    ASSERT_TRUE(e2e::Answer(*found, IDOK));
    Click(fe, vfe::Control::cmd);
    const auto dialog = WaitForCompressionDialog(fe);
    ASSERT_TRUE(dialog && e2e::Answer(*dialog, IDOK));
    const auto videos = Lines(AcceptSavedMessage(fe));
    ASSERT_EQ(videos.size(), 2u);
    ExpectVideoOf(videos[0], 3, firstFrame);
    EXPECT_EQ(FrameChecksums("-i " + ShellQuoted(UnixPath(videos[0]))), recorded);
    EXPECT_EQ(RunUnix("/usr/bin/ffprobe -v error -count_frames -show_entries stream=width,height,nb_read_frames -of "
                      "csv=p=0 " + ShellQuoted(UnixPath(videos[1]))).value_or(""), "64,48,2\n");
    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));
}

// A compressor that takes the frames in no format they can be offered in is named, and the
// frames stay; "Save" with the run-length compressor, which takes 8-bit pictures only, then makes
// a video of every frame, each close to its frame file.
TEST_F(Recording, ACompressorThatTakesNoFormatIsNamedAndAnotherMakesTheVideo) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 20));
    auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog && e2e::SelectCompressor(dialog->window, "Cinepak Video codec") && e2e::Answer(*dialog, IDOK));
    const auto refused = WaitForBox(fe, Milliseconds(30000));
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->title, "KO!");
    EXPECT_EQ(refused->text, "Error!\r\nThe compressor \"Cinepak Video codec\" cannot compress these frames.\r\n"
                             "The frames are kept: press Save to choose another.");
    ASSERT_TRUE(e2e::Answer(*refused, IDOK));
    const int frames = FramesListed(fe);
    ASSERT_EQ(folder.FrameFiles().size(), static_cast<std::size_t>(frames));
    EXPECT_TRUE(folder.Videos().empty());
    const std::string kept = ShellQuoted(UnixPath(folder / "kept"));
    ASSERT_TRUE(RunUnix("mkdir " + kept + " && cp " + ShellQuoted(UnixPath(folder.path())) + "/z*.bmp " + kept));

    Click(fe, vfe::Control::cmd);
    dialog = WaitForCompressionDialog(fe);
    ASSERT_TRUE(dialog && e2e::SelectCompressor(dialog->window, "Wine MS-RLE video codec") &&
                e2e::Answer(*dialog, IDOK));
    const auto videos = Lines(AcceptSavedMessage(fe));
    ASSERT_EQ(videos.size(), 1u);
    const std::string avi = ShellQuoted(UnixPath(videos[0]));
    EXPECT_EQ(RunUnix("/usr/bin/ffprobe -v error -count_frames -show_entries stream=codec_name,nb_read_frames -of csv=p=0 " +
                      avi).value_or(""), "msrle," + std::to_string(frames) + "\n");
    const auto psnr = RunUnix("/usr/bin/ffmpeg -v error -i " + avi + " -framerate 5 -i " + kept +
                              "/z%d.bmp -lavfi '[0:v]format=rgb24[a];[1:v]format=rgb24[b];[a][b]psnr=stats_file=-' -f null -");
    int compared = 0;
    for (const auto& line : Lines(psnr.value_or(""))) {
        const auto at = line.find("psnr_avg:");
        if (at == std::string::npos) continue;
        ++compared;
        EXPECT_GE(std::atof(line.c_str() + at + 9), 24.0) << line;
    }
    EXPECT_EQ(compared, frames);
    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));
}

// A second start in the folder during a recording (a double click too many) touches no file,
// setting or flash image and ends; the recording goes on, and its save holds every frame.
TEST_F(Recording, ASecondStartDuringARecordingChangesNothing) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 3));
    const std::string flash = e2e::FlashImage('1');  // another tool's region: a start would put Japan back
    folder.Write(e2e::kFlashName, flash);
    e2e::Process second = folder.Start(e2e::kFrontEndExe);
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(folder.Read(e2e::kFlashName) == flash);
    EXPECT_TRUE(IsIconic(fe.window()));
    const int before = e2e::FramesInCaption(fe.window());
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FramesInCaption(fe.window()) > before; })) << "the recording goes on";

    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog);
    ExpectEveryListedFrameSaved(fe, *dialog);
}

// On a small disk the recording stops by itself while its video still fits, says so once, and
// the save then holds every frame.
class RecordingOnASmallDisk : public Recording {
protected:
    RecordingOnASmallDisk() : Recording({.diskMegabytes = 64}) {}
};

TEST_F(RecordingOnASmallDisk, StopsWhileItsVideoStillFitsAndSavesEveryFrame) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ChooseRecordHighQuality(fe);
    const auto confirm = WaitForBox(fe);
    ASSERT_TRUE(confirm && e2e::Answer(*confirm, IDOK));
    const auto full = WaitForBox(fe, Milliseconds(30000));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->text, "The disk is nearly full: the recording stopped so that its video still fits.\r\n"
                          "Restore the window to save the frames captured so far.");
    ASSERT_TRUE(e2e::Answer(*full, IDOK));
    const int frames = e2e::FramesInCaption(fe.window());
    EXPECT_GE(frames, 3);

    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(FramesListed(fe), frames);
    ExpectEveryListedFrameSaved(fe, *dialog);
}

// A folder named in characters outside the system's code page (Chinese on a Western system):
// every file the program names there is reached, as in any other folder.
class ForeignFolder : public Recording {
protected:
    ForeignFolder() : Recording({.flash = e2e::FlashImage('2'), .nameEnd = L" \u6e38\u620f"}) {}
};

TEST_F(ForeignFolder, RegionRunAboutAndARecordingWork) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    EXPECT_TRUE(folder.Read(e2e::kFlashName) == e2e::FlashImage('0')) << "Japan was not patched in at the start";
    ASSERT_NO_FATAL_FAILURE(LaunchEmulator(fe));
    ASSERT_TRUE(e2e::Menu(fe, "h", "a"));  // Help > About shows the readme, not "Readme not found"
    const HWND about = e2e::WaitForWindow("About Velmoran Front-End");
    ASSERT_TRUE(about);
    const HWND readme = FindWindowExA(about, nullptr, nullptr, nullptr);
    EXPECT_TRUE(e2e::WaitUntil([&] { return SendMessageA(readme, WM_GETTEXTLENGTH, 0, 0) > 1000; }));
    PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitForWindowGone(about));

    ASSERT_NO_FATAL_FAILURE(RecordFrames(fe, 3));
    const auto dialog = RestoreForTheCompressionDialog(fe);
    ASSERT_TRUE(dialog);
    const int frames = FramesListed(fe);
    ASSERT_TRUE(e2e::Answer(*dialog, IDOK));
    const std::string saved = AcceptSavedMessage(fe);
    EXPECT_TRUE(vfe::IsWholeVideo(saved, frames)) << saved;
    EXPECT_TRUE(e2e::WaitUntil([&] { return folder.FrameFiles().empty(); }));
}

// The capture panel's controls as the user tells them apart: buttons and boxes by their
// caption, the others by their kind.
std::string ControlName(HWND control) {
    char className[64] = {};
    GetClassNameA(control, className, sizeof className);
    const std::string text = e2e::WindowText(control);
    if (lstrcmpiA(className, "Button") == 0) return text;
    if (lstrcmpiA(className, "ListBox") == 0) return "frame list";
    if (lstrcmpiA(className, "Edit") == 0) return "interval box";
    if (lstrcmpiA(className, "VelmoranFE2Picture") == 0) return "preview";
    return className;
}

TEST_F(Recording, TheCapturePanelShowsAboveThePreview) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(ShowTheCapturePanel(fe));
    const HWND preview = e2e::ChildOfClass(fe.window(), "VelmoranFE2Picture");
    const HWND group = e2e::ChildOfClass(fe.window(), "VelmoranFE2Frame");
    ASSERT_TRUE(preview && group);

    // Each control shows its own face where it lies over the preview's frame: its
    // background colour over most of its inside, away from borders and captions.
    const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
    struct Part {
        std::string name;
        RECT inside;  // screen coordinates
        COLORREF colour;
    };
    const auto inset = [](RECT r, int by) { return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; };
    const RECT groupRect = e2e::ScreenRectOf(group);
    std::vector<Part> parts;
    for (const char* caption : {"Save", "&Record", "+", "-"})
        parts.push_back({caption, inset(e2e::ScreenRectOf(e2e::ChildOfClass(fe.window(), "Button", caption)), 3), face});
    parts.push_back({"frame list", inset(e2e::ScreenRectOf(e2e::ChildOfClass(fe.window(), "ListBox")), 3), window});
    parts.push_back({"interval box", inset(e2e::ScreenRectOf(e2e::ChildOfClass(fe.window(), "Edit")), 3), window});
    // The group between "Save" (17 pixels high at its top) and the list (from 40 down).
    parts.push_back({"frame group", {groupRect.left + 2, groupRect.top + 19, groupRect.right - 2, groupRect.top + 38}, face});

    std::optional<e2e::ScreenImage> screen;
    const auto shows = [&](const Part& part) {
        return screen->Share(part.inside, [&](e2e::Colour c) { return e2e::Near(c, part.colour); }) >= 0.5;
    };
    e2e::WaitUntil([&] {
        screen = e2e::GrabScreen();
        return screen && std::all_of(parts.begin(), parts.end(), shows);
    }, Milliseconds(3000));
    ASSERT_TRUE(screen);
    // The preview does show a frame (not its empty face) where no control covers it.
    RECT free = e2e::ClientRectOnScreen(preview);
    free = {free.left + 4, free.top + 4, groupRect.left - 4, std::min<LONG>(free.top + 200, GetSystemMetrics(SM_CYSCREEN))};
    EXPECT_LT(screen->Share(free, [&](e2e::Colour c) { return e2e::Near(c, face); }), 0.5) << "no frame in the preview";
    for (const Part& part : parts) EXPECT_TRUE(shows(part)) << part.name << " is covered";
}

TEST_F(Recording, TabVisitsTheCapturePanelInTabOrder) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_NO_FATAL_FAILURE(ShowTheCapturePanel(fe));
    const HWND interval = e2e::ChildOfClass(fe.window(), "Edit");
    SendMessageA(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("200"));  // wider than the box
    ASSERT_TRUE(e2e::Focus(fe.window()));
    const DWORD thread = GetWindowThreadProcessId(fe.window(), nullptr);
    const auto focused = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    };
    // Presses the key `count` times and names the control that has the focus after each.
    const auto visit = [&](const char* key, int count) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            const HWND before = focused();
            if (!e2e::PressKeys(key) || !e2e::WaitUntil([&] { return focused() != before; }, Milliseconds(2000))) break;
            names.push_back(ControlName(focused()));
        }
        return names;
    };
    // Every visible tab stop by its tab index, "&Take Snapshot" (hidden) left out.
    const std::vector<std::string> order{"&Record", "Save", "frame list", "Stop", "Freeze", "interval box",
                                         "-", "+", "preview"};
    const auto forward = visit("Tab", static_cast<int>(order.size()) * 2);
    const auto start = std::find(forward.begin(), forward.end(), order[0]);
    ASSERT_NE(start, forward.end()) << ::testing::PrintToString(forward);
    const std::vector<std::string> cycle(start, start + std::min<std::ptrdiff_t>(forward.end() - start, order.size()));
    EXPECT_EQ(cycle, order);

    // Back from where Tab stopped: the same stops the other way round.
    const auto last = std::find(order.begin(), order.end(), forward.back());
    ASSERT_NE(last, order.end());
    std::vector<std::string> expected;
    for (std::size_t i = 1; i <= order.size(); ++i)
        expected.push_back(order[(last - order.begin() + order.size() * 2 - i) % order.size()]);
    EXPECT_EQ(visit("shift+Tab", static_cast<int>(order.size())), expected);

    // Left, the interval box shows the start of its text: "200", not "00".
    if (focused() == interval) visit("Tab", 1);
    EXPECT_EQ(SendMessageA(interval, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

}  // namespace
