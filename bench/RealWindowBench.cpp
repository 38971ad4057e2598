// What a person waits for, measured on the real front-end under Wine, driven as a user
// drives it: launch the emulator's stand-in, record high quality with interval 1, restore
// the window, accept "Full Frames (Uncompressed)" in the compression dialog.
//
//   bench_real_window save [runs=5] [frames=100]
//     Each run records and times the work of the recording's ticks over `frames` frames
//     (after the first ten), inside the front-end, from each timer message to the end of
//     its handler (bench_probe.dll, a message hook); then it times the save of the whole
//     recording from the dialog's OK to the "Saved" message, through the real main window
//     (its list, caption and preview).
//     Beside each, in the same run: the bare screen copy and BMP write (bench_bare_copy)
//     while the front-end waits in its dialog, the AVI library's floor (bench_avi_floor)
//     and ffmpeg on a copy of the same frame files. Runs alternate which side goes first.
//   bench_real_window scale [runs=3] [frames=1000]
//     Records past the AVI library's 2 GiB (1,000 frames of 1024 x 768 are 3 GiB) and times
//     the save from OK to "Saved", which splits the video; beside it the library's floor,
//     writing the same frames split the same way, each read just before it is written. The
//     front-end's heaps are read before and after the save.
//   bench_real_window steadiness [frames=2000]
//     Records `frames` frames after the first hundred, deleting the frame files as they
//     come, and reads the front-end's heaps from inside it, on its window's thread
//     (bench_probe.dll), every fifth of the way; bench_list_growth adds the same entries
//     to a bare list box and reads its own heaps the same way.
//
// Prints the figure lines of scripts/bench.sh, and one line per run.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numeric>
#include <sstream>
#include <thread>
#include <tuple>
#include <utility>

#include "Figures.h"
#include "RemoteProbe.h"
#include "platform/MainWindowIds.h"
#include "support/E2E.h"
#include "video/AviFileCheck.h"
#include "win32/MainWindow.h"

namespace {

namespace fs = std::filesystem;
using e2e::Clock;
using e2e::Milliseconds;

constexpr int kWarmUpFrames = 10;

int runs = 5;
int tickFrames = 100;
int steadyFrames = 2000;
int scaleFrames = 1000;

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The figures are timed by what the poll sees: often enough for a few milliseconds in
// seconds, and not so often that its calls into the Wine server slow the front-end down.
bool PollUntil(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() >= deadline) return false;
        Sleep(4);
    }
    return true;
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a benchmark program of the build and gives what it printed.
std::string RunProgram(const std::string& exe, const std::vector<std::string>& arguments, const fs::path& scratch) {
    const fs::path output = scratch / (exe + ".out");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    std::string commandLine = "\"" + (e2e::BuildDir() / exe).string() + "\"";
    for (const auto& argument : arguments) commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION started{};
    {
        const vfe::win32::KernelHandle file(
            CreateFileA(output.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
        if (!file) return exe + ": cannot write " + output.string();
        startup.hStdOutput = startup.hStdError = file.get();
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
            return exe + ": cannot start";
    }
    const vfe::win32::KernelHandle process(started.hProcess), thread(started.hThread);
    WaitForSingleObject(process.get(), 600000);
    return ReadFile(output);
}

// The number before `unit` in a program's line that starts with `prefix`; negative when absent.
double FigureIn(const std::string& output, const std::string& prefix, const std::string& unit = " ms per frame") {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(prefix)) continue;
        const auto at = line.find(unit);
        if (at == std::string::npos) continue;
        const auto begin = line.find_last_of(' ', at - 1);
        return std::atof(line.substr(begin + 1, at - begin - 1).c_str());
    }
    return -1;
}

// ffmpeg on the frame files of `folder`, timed by the shell around it (its start included).
double FfmpegMilliseconds(const fs::path& folder) {
    std::string printed;
    const int status = e2e::RunUnixQuietly(
        "cd " + e2e::ShellQuoted(e2e::UnixPath(folder)) + " && s=$(date +%s%N) && ffmpeg -loglevel error -y " +
            "-framerate 5 -i z%d.bmp -c:v rawvideo -pix_fmt bgra ffmpeg.avi && e=$(date +%s%N) && " +
            "echo $(( (e - s) / 1000 ))",
        Milliseconds(120000), &printed);
    return status == 0 ? std::atoll(printed.c_str()) / 1000.0 : -1;
}

// A visible dialog of the process whose static text starts with `text`.
HWND MessageBoxStartingWith(DWORD processId, std::string_view text) {
    for (const HWND window : e2e::TopWindowsOf(processId)) {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        const HWND label = GetDlgItem(window, 0xFFFF);
        if (std::string_view(className) == "#32770" && label && e2e::WindowText(label).starts_with(text)) return window;
    }
    return nullptr;
}

int ListCount(HWND frontEnd) {
    const HWND list = e2e::ChildOfClass(frontEnd, "ListBox");
    return list ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : -1;
}

// Read as wide text: across processes Wine hands the list's own (wide) text to an ANSI caller unconverted.
std::string ListEntry(HWND frontEnd, int index) {
    const HWND list = e2e::ChildOfClass(frontEnd, "ListBox");
    wchar_t text[MAX_PATH * 2] = {};
    if (!list || SendMessageW(list, LB_GETTEXTLEN, index, 0) >= static_cast<LRESULT>(MAX_PATH * 2)) return {};
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    char narrow[MAX_PATH * 4] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// Deletes every frame file but the newest few, so a long recording needs no disk.
void DeleteOldFrames(const e2e::AppFolder& folder, int newest) {
    for (const auto& name : folder.FrameFiles())
        if (std::atoi(name.c_str() + 1) < newest - 4) folder.Remove(name);
}

e2e::FolderContents EmptyFolder() { return {.frontEnd = false, .standins = {}, .flash = std::nullopt, .readme = false}; }

struct SaveRun {
    double tick = -1, interval = -1, bare = -1, save = -1, floor = -1, ffmpeg = -1, runLength = -1, runLengthSize = -1;
    double flush = -1, check = -1, read = -1, fingerprint = -1;  // per frame, of the floor and of bench_video_check
    int frames = 0, ticksTimed = 0, framesTimed = 0;
};

// Restores the recording's window, which ends the recording, and waits for the save's
// compression dialog.
std::optional<e2e::MessageBoxInfo> RestoreForTheDialog(const e2e::FrontEnd& fe) {
    // Posted: restoring runs the whole save, dialog included, before it returns.
    ShowWindowAsync(fe.window(), SW_RESTORE);
    const auto dialog = e2e::WaitForCompressionDialog(fe, Milliseconds(60000));
    if (!dialog) ADD_FAILURE() << "no compression dialog";
    return dialog;
}

// Accepts "Full Frames (Uncompressed)" and answers the "Saved" message: the milliseconds
// from OK to that message, or -1 when it did not come.
double AcceptAndTimeTheSave(const e2e::FrontEnd& fe, HWND dialog) {
    const auto ok = Clock::now();
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    // The caption counts the frames until the end; only then is the message looked for.
    HWND saved = nullptr;
    PollUntil(
        [&] {
            return !e2e::WindowText(fe.window()).starts_with("Frame: ") &&
                   (saved = MessageBoxStartingWith(fe.process.id(), "Saved ")) != nullptr;
        },
        Milliseconds(600000));
    if (!saved) {
        ADD_FAILURE() << "no \"Saved\" message";
        return -1;
    }
    const double milliseconds = MillisecondsBetween(ok, Clock::now());
    PostMessageA(saved, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    e2e::WaitForWindowGone(saved);
    return milliseconds;
}

// The frames of `from` saved again with the run-length compressor, by a front-end that finds
// them at its start in a folder of its own: the milliseconds per frame, and the video's size
// against `uncompressed` in per cent; -1 for what could not be measured.
std::pair<double, double> SaveWithRunLength(const fs::path& from, int frames, std::uintmax_t uncompressed) {
    e2e::AppFolder folder;
    for (int i = 0; i < frames; ++i) {
        const std::string name = "z" + std::to_string(i) + ".bmp";
        fs::copy_file(from / name, folder / name);
    }
    e2e::FrontEnd fe(folder);
    const auto found = e2e::WaitForMessageBox(fe);
    if (!found || !e2e::Answer(*found, IDOK)) return {-1, -1};
    const int save = vfe::win32::kControlIdBase + static_cast<int>(vfe::Control::cmd);
    PostMessageA(fe.window(), WM_COMMAND, MAKEWPARAM(save, BN_CLICKED), 0);
    const auto dialog = e2e::WaitForCompressionDialog(fe, Milliseconds(60000));
    if (!dialog || !e2e::SelectCompressor(dialog->window, "Wine MS-RLE video codec")) return {-1, -1};
    const double milliseconds = AcceptAndTimeTheSave(fe, dialog->window);
    const auto videos = folder.Videos();
    if (milliseconds < 0 || videos.size() != 1) return {-1, -1};
    return {milliseconds / frames, 100.0 * static_cast<double>(fs::file_size(folder / videos[0])) /
                                       static_cast<double>(uncompressed)};
}

class RealWindow : public e2e::FrontEndTest {
protected:

    // The tick's work, timed inside the front-end, after the first few frames; beside it, how
    // often the ticks came, from the frames the caption counts. The probe goes before the save.
    bool TimeTicks(const e2e::FrontEnd& fe, SaveRun& result) {
        RemoteProbe probe(fe.window(), e2e::BuildDir() / "bench_probe.dll");
        if (!probe.ready()) {
            ADD_FAILURE() << probe.error();
            return false;
        }
        if (!PollUntil([&] { return e2e::FramesInCaption(fe.window()) >= kWarmUpFrames; }, Milliseconds(30000))) {
            ADD_FAILURE() << "no frames came";
            return false;
        }
        const int firstFrames = e2e::FramesInCaption(fe.window());
        const auto first = Clock::now();
        if (!probe.StartTimingTicks()) {
            ADD_FAILURE() << "the ticks could not be timed";
            return false;
        }
        PollUntil([&] { return e2e::FramesInCaption(fe.window()) >= firstFrames + tickFrames; }, Milliseconds(60000));
        const auto ticks = probe.StopTimingTicks();
        const int lastFrames = e2e::FramesInCaption(fe.window());
        if (!ticks || ticks->empty()) {
            ADD_FAILURE() << "no tick was timed";
            return false;
        }
        result.framesTimed = lastFrames - firstFrames;
        result.interval = MillisecondsBetween(first, Clock::now()) / result.framesTimed;
        result.ticksTimed = static_cast<int>(ticks->size());
        result.tick = std::accumulate(ticks->begin(), ticks->end(), 0.0) / static_cast<double>(ticks->size());
        return true;
    }

    // One recording, saved; the peers run on copies of its frames.
    SaveRun RecordAndSave(int run) {
        SaveRun result;
        e2e::AppFolder app;
        e2e::AppFolder peer(EmptyFolder());
        e2e::AppFolder bare(EmptyFolder());
        e2e::FrontEnd fe(app);
        if (!fe.window() || !e2e::LaunchEmulatorAndRecord(fe)) {
            ADD_FAILURE() << "the recording did not start";
            return result;
        }
        if (!TimeTicks(fe, result)) return result;

        const auto dialog = RestoreForTheDialog(fe);
        if (!dialog) return result;
        result.frames = ListCount(fe.window());
        for (int i = 0; i < result.frames; ++i) {
            const std::string name = "z" + std::to_string(i) + ".bmp";
            fs::copy_file(app / name, peer / name);
        }

        const auto runPeers = [&] {
            // While the front-end waits in its dialog and the emulator's stand-in runs on.
            result.bare = FigureIn(RunProgram("bench_bare_copy.exe", {bare.path().string(), std::to_string(tickFrames)},
                                              bare.path()),
                                   "bare copy and write:");
            const std::string floor =
                RunProgram("bench_avi_floor.exe", {peer.path().string(), std::to_string(result.frames)}, bare.path());
            result.floor = FigureIn(floor, "avi floor:");
            result.flush = FigureIn(floor, "avi floor:", " ms per frame)");
            const std::string check =
                RunProgram("bench_video_check.exe", {(peer / "floor.avi").string(), peer.path().string()}, bare.path());
            result.check = FigureIn(check, "video check:", " ms per frame;");
            result.read = FigureIn(check, "video check:", ", fingerprint:");
            result.fingerprint = FigureIn(check, "video check:", " ms per frame (");
            const double ffmpeg = FfmpegMilliseconds(peer.path());
            result.ffmpeg = ffmpeg < 0 ? -1 : ffmpeg / result.frames;
        };
        if (run % 2 == 0) runPeers();

        const double saveMs = AcceptAndTimeTheSave(fe, dialog->window);
        if (saveMs < 0) return result;
        result.save = saveMs / result.frames;

        if (run % 2 == 1) runPeers();
        const auto videos = app.Videos();
        const bool same = videos.size() == 1 && ReadFile(app / videos[0]) == ReadFile(peer / "floor.avi");
        fe.process.Kill();
        if (videos.size() == 1)
            std::tie(result.runLength, result.runLengthSize) =
                SaveWithRunLength(peer.path(), result.frames, fs::file_size(app / videos[0]));
        std::printf("run %d: %d frames; tick %.2f ms of work (%d ticks timed over %d frames, one every %.2f ms), bare "
                    "%.2f ms; save %.2f ms, floor %.2f ms, ffmpeg %.2f ms per frame; the video %s the floor's\n",
                    run + 1, result.frames, result.tick, result.ticksTimed, result.framesTimed, result.interval,
                    result.bare, result.save, result.floor, result.ffmpeg, same ? "is byte for byte" : "differs from");
        std::printf("run %d: the same frames saved with run-length: %.2f ms per frame, the video %.1f %% of the "
                    "uncompressed one\n", run + 1, result.runLength, result.runLengthSize);
        std::fflush(stdout);
        return result;
    }
};

TEST_F(RealWindow, Save) {
    Figures tick, interval, bare, save, floor, ffmpeg, runLength, runLengthSize, flush, check, read, fingerprint;
    for (int run = 0; run < runs; ++run) {
        const SaveRun result = RecordAndSave(run);
        ASSERT_FALSE(HasFailure());
        ASSERT_GT(result.bare, 0);
        ASSERT_GT(result.floor, 0);
        ASSERT_GT(result.ffmpeg, 0);
        tick.Add(result.tick);
        interval.Add(result.interval);
        bare.Add(result.bare);
        save.Add(result.save);
        floor.Add(result.floor);
        ffmpeg.Add(result.ffmpeg);
        flush.Add(result.flush);
        check.Add(result.check);
        read.Add(result.read);
        fingerprint.Add(result.fingerprint);
        ASSERT_GT(result.runLength, 0);
        runLength.Add(result.runLength / result.save);
        runLengthSize.Add(result.runLengthSize);
    }
    std::printf("save: %.1f ms per frame (%.2f x against the AVI library's floor at %.1f ms per frame; %.2f x the speed "
                "of ffmpeg -c:v rawvideo at %.1f ms per frame)\n",
                save.Median(), save.Median() / floor.Median(), floor.Median(), ffmpeg.Median() / save.Median(),
                ffmpeg.Median());
    std::printf("  medians of %d interleaved runs, min-max: save %s, floor %s, ffmpeg %s ms per frame\n", runs,
                save.Range().c_str(), floor.Range().c_str(), ffmpeg.Range().c_str());
    std::printf("  per frame, medians: the flush %.2f ms (in the floor too), the check of the finished video %.2f ms, "
                "the frame file's read %.2f ms, its fingerprint %.2f ms (bench_video_check on the floor's video)\n",
                flush.Median(), check.Median(), read.Median(), fingerprint.Median());
    std::printf("save with run-length: %.1f ms per frame (%.2f x the uncompressed save), video %.1f %% of the "
                "uncompressed size\n",
                runLength.Median() * save.Median(), runLength.Median(), runLengthSize.Median());
    std::printf("  medians of %d runs, min-max: %s x the uncompressed save, %s %% of its size\n", runs,
                runLength.Range(2).c_str(), runLengthSize.Range(1).c_str());
    std::printf("capture tick: %.1f ms of work (%.2f x against a bare screen copy and BMP write at %.1f ms)\n",
                tick.Median(), tick.Median() / bare.Median(), bare.Median());
    std::printf("  medians of %d interleaved runs of %d frames, min-max: tick %s, bare %s ms; the tick timed from its "
                "timer message to the end of its handler, one tick every %s ms\n",
                runs, tickFrames, tick.Range().c_str(), bare.Range().c_str(), interval.Range().c_str());
}

struct ScaleRun {
    double save = -1, floor = -1, heapGrowth = 0;
    int frames = 0, files = 0;
};

// A recording past the AVI library's 2 GiB, saved through the real window; the floor writes
// the same frames (hard links in a folder of its own, which the save's deletions leave),
// split as the front-end split them, on alternate runs before and after the front-end.
// `framesPerFile` carries the front-end's split from one run to the next.
ScaleRun RecordAndSaveAtScale(int run, int& framesPerFile) {
    ScaleRun result;
    e2e::AppFolder app;
    e2e::AppFolder peer(EmptyFolder());
    e2e::FrontEnd fe(app);
    if (!fe.window() || !e2e::LaunchEmulatorAndRecord(fe)) {
        ADD_FAILURE() << "the recording did not start";
        return result;
    }
    RemoteProbe probe(fe.window(), e2e::BuildDir() / "bench_probe.dll");
    if (!probe.ready() || !PollUntil([&] { return e2e::FramesInCaption(fe.window()) >= scaleFrames; },
                                     Milliseconds(600000))) {
        ADD_FAILURE() << "the recording did not reach " << scaleFrames << " frames " << probe.error();
        return result;
    }
    const auto dialog = RestoreForTheDialog(fe);
    if (!dialog) return result;
    result.frames = ListCount(fe.window());
    for (int i = 0; i < result.frames; ++i) {
        const std::string name = "z" + std::to_string(i) + ".bmp";
        std::error_code noLink;
        fs::create_hard_link(app / name, peer / name, noLink);
        if (noLink) fs::copy_file(app / name, peer / name);
    }
    const auto runFloor = [&] {
        result.floor = FigureIn(RunProgram("bench_avi_floor.exe",
                                           {peer.path().string(), std::to_string(result.frames),
                                            std::to_string(framesPerFile)},
                                           peer.path()),
                                "avi floor:");
        for (const auto& entry : fs::directory_iterator(peer.path()))
            if (entry.path().extension() == ".avi") fs::remove(entry.path());
    };
    if (run % 2 == 1 && framesPerFile > 0) runFloor();

    const auto before = probe.MeasureHeaps();
    const double saveMs = AcceptAndTimeTheSave(fe, dialog->window);
    const auto after = probe.MeasureHeaps();
    if (saveMs < 0 || !before || !after) return result;
    result.save = saveMs / result.frames;
    result.heapGrowth = static_cast<double>(after->busyBytes) - static_cast<double>(before->busyBytes);
    const auto videos = app.Videos();
    result.files = static_cast<int>(videos.size());
    if (videos.empty()) return result;
    framesPerFile = static_cast<int>(vfe::ReadAviFileFacts((app / videos.front()).string()).declaredFrames);
    for (const auto& video : videos) app.Remove(video);  // room for the floor's
    if (result.floor < 0) runFloor();
    std::printf("run %d: %d frames in %d files (%d to a file); save %.2f ms, floor %.2f ms per frame; heap in use %+.0f "
                "KiB over the save\n",
                run + 1, result.frames, result.files, framesPerFile, result.save, result.floor,
                result.heapGrowth / 1024);
    std::fflush(stdout);
    fe.process.Kill();
    return result;
}

TEST_F(RealWindow, SaveAtScale) {
    Figures save, floor, growth;
    int framesPerFile = 0;
    ScaleRun last;
    for (int run = 0; run < runs; ++run) {
        last = RecordAndSaveAtScale(run, framesPerFile);
        ASSERT_FALSE(HasFailure());
        ASSERT_GT(last.floor, 0);
        save.Add(last.save);
        floor.Add(last.floor);
        growth.Add(last.heapGrowth / 1024);
    }
    std::printf("save at scale: %.1f ms per frame over %d frames in %d files (%.2f x against the AVI library's floor at "
                "%.1f ms per frame)\n",
                save.Median(), last.frames, last.files, save.Median() / floor.Median(), floor.Median());
    std::printf("  medians of %d interleaved runs, min-max: save %s, floor %s ms per frame; heap in use after the save "
                "against before it: %s KiB\n",
                runs, save.Range().c_str(), floor.Range().c_str(), growth.Range(0).c_str());
}

TEST_F(RealWindow, Steadiness) {
    e2e::FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ASSERT_TRUE(e2e::LaunchEmulatorAndRecord(fe));
    RemoteProbe probe(fe.window(), e2e::BuildDir() / "bench_probe.dll");
    ASSERT_TRUE(probe.ready()) << probe.error();

    constexpr int kSegments = 5;
    const int start = 100;
    std::vector<int> frames;
    std::vector<double> bytes;
    for (int k = 0; k <= kSegments; ++k) {
        const int target = start + k * steadyFrames / kSegments;
        ASSERT_TRUE(e2e::WaitUntil([&] {
            DeleteOldFrames(folder, e2e::FramesInCaption(fe.window()));
            return e2e::FramesInCaption(fe.window()) >= target;
        }, Milliseconds(600000)));
        const int before = e2e::FramesInCaption(fe.window());
        const auto heaps = probe.MeasureHeaps();
        const int after = e2e::FramesInCaption(fe.window());
        ASSERT_TRUE(heaps);
        // A frame that came during the walk may or may not be in it: count it half.
        frames.push_back((before + after) / 2);
        bytes.push_back(static_cast<double>(heaps->busyBytes));
    }
    const std::string entry = ListEntry(fe.window(), 0);
    fe.process.Kill();  // the recording is dropped, as closing the program drops it
    ASSERT_TRUE(entry.ends_with("\\z0.bmp")) << entry;

    // The list alone, given the same entries at the same counts.
    std::vector<std::string> arguments{entry.substr(0, entry.size() - 7)};  // no trailing separator
    for (const int count : frames) arguments.push_back(std::to_string(count));
    const std::string listOutput = RunProgram("bench_list_growth.exe", arguments, folder.path());
    std::istringstream listLines(listOutput);
    std::vector<double> listBytes;
    for (std::string line; std::getline(listLines, line);)
        if (line.starts_with("list heaps: ")) listBytes.push_back(std::atof(line.c_str() + 12));
    ASSERT_EQ(listBytes.size(), frames.size()) << listOutput;

    Figures ours, list;
    for (int k = 0; k < kSegments; ++k) {
        const double count = frames[k + 1] - frames[k];
        ours.Add((bytes[k + 1] - bytes[k]) / count);
        list.Add((listBytes[k + 1] - listBytes[k]) / count);
        std::printf("part %d: frames %d to %d: front-end %.1f, list %.1f bytes per frame\n", k + 1, frames[k],
                    frames[k + 1], ours.values.back(), list.values.back());
    }
    const double total = frames.back() - frames.front();
    const double perFrame = (bytes.back() - bytes.front()) / total;
    const double listPerFrame = (listBytes.back() - listBytes.front()) / total;
    std::printf("steadiness: %.0f bytes per frame (%.2f x the list entries' own growth)\n", perFrame,
                perFrame / listPerFrame);
    std::printf("  heap bytes in use from inside the process, frames %d to %d: the list's own %.0f bytes per entry; "
                "%d parts of %d frames, min-max: front-end %s, list %s\n",
                frames.front(), frames.back(), listPerFrame, kSegments, steadyFrames / kSegments,
                ours.Range(0).c_str(), list.Range(0).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "save";
    if (mode == "save") {
        if (argc > 2) runs = std::atoi(argv[2]);
        if (argc > 3) tickFrames = std::atoi(argv[3]);
        ::testing::GTEST_FLAG(filter) = "RealWindow.Save";
    } else if (mode == "scale") {
        runs = argc > 2 ? std::atoi(argv[2]) : 3;
        if (argc > 3) scaleFrames = std::atoi(argv[3]);
        ::testing::GTEST_FLAG(filter) = "RealWindow.SaveAtScale";
    } else {
        if (argc > 2) steadyFrames = std::atoi(argv[2]);
        ::testing::GTEST_FLAG(filter) = "RealWindow.Steadiness";
    }
    int none = 1;
    ::testing::InitGoogleTest(&none, argv);
    return RUN_ALL_TESTS();
}
