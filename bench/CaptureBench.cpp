// Capture rate and steadiness of a real recording, driven as a user would under Wine:
// launch the emulator's stand-in, set the interval box to 1, record high quality and
// confirm. The frame files are deleted as they come so that thousands of 1024 x 768
// frames need no disk; the recording is then dropped (the program is ended), never saved.
// Prints:
//   capture: <frames/s> frames/s over <s> s
//   memory: <KiB> KiB private after 100 frames, <KiB> KiB after <N> frames
// Private memory is the Unix process's anonymous resident memory (RssAnon), read through
// Wine's Z: drive: Wine answers GetGuiResources and GetProcessMemoryInfo with zeros.
//   bench_capture [frames for the steadiness figure=2000]
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "support/E2E.h"

namespace {

namespace fs = std::filesystem;
int steadyFrames = 2000;

// The Unix process that runs the front-end from this folder: its command line names the exe.
std::string UnixProcFolderOf(const fs::path& appFolder) {
    const std::string exeName = appFolder.filename().string();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("Z:\\proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || !std::isdigit(static_cast<unsigned char>(name[0]))) continue;
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        std::string commandLine((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (commandLine.find(e2e::kFrontEndExe) != std::string::npos && commandLine.find(exeName) != std::string::npos)
            return entry.path().string();
    }
    return {};
}

long RssAnonKiB(const std::string& procFolder) {
    std::ifstream in(procFolder + "\\status");
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("RssAnon:")) return std::atol(line.c_str() + 8);
    return -1;
}

// Deletes every frame file but the newest few, so the recording runs on without filling the disk.
void DeleteOldFrames(const e2e::AppFolder& folder, int newest) {
    for (const auto& name : folder.Files()) {
        if (name.size() < 6 || name[0] != 'z' || !name.ends_with(".bmp")) continue;
        const int number = std::atoi(name.c_str() + 1);
        if (number < newest - 4) folder.Remove(name);
    }
}

class CaptureBench : public e2e::FrontEndTest {};

TEST_F(CaptureBench, RecordingRateAndSteadiness) {
    e2e::FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    const HWND interval = e2e::ChildOfClass(fe.window(), "Edit");
    ASSERT_TRUE(interval);
    SendMessageA(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
    ASSERT_TRUE(e2e::LaunchEmulatorAndRecord(fe));

    // Rate: frames counted by the caption over a few seconds, after the first ten.
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FramesInCaption(fe.window()) >= 10; }, e2e::Milliseconds(20000)));
    const int firstFrames = e2e::FramesInCaption(fe.window());
    const auto start = e2e::Clock::now();
    while (e2e::Clock::now() - start < std::chrono::seconds(4)) {
        DeleteOldFrames(folder, e2e::FramesInCaption(fe.window()));
        Sleep(100);
    }
    const double seconds = std::chrono::duration<double>(e2e::Clock::now() - start).count();
    const int frames = e2e::FramesInCaption(fe.window()) - firstFrames;
    std::printf("capture: %.1f frames/s over %.1f s\n", frames / seconds, seconds);

    // Steadiness: private memory after 100 frames and after many more.
    const std::string proc = UnixProcFolderOf(folder.path());
    ASSERT_FALSE(proc.empty()) << "the front-end's Unix process was not found";
    ASSERT_TRUE(e2e::WaitUntil([&] {
        DeleteOldFrames(folder, e2e::FramesInCaption(fe.window()));
        return e2e::FramesInCaption(fe.window()) >= 100;
    }, e2e::Milliseconds(60000)));
    const int at100 = e2e::FramesInCaption(fe.window());
    const long memory100 = RssAnonKiB(proc);
    ASSERT_TRUE(e2e::WaitUntil([&] {
        DeleteOldFrames(folder, e2e::FramesInCaption(fe.window()));
        return e2e::FramesInCaption(fe.window()) >= steadyFrames;
    }, e2e::Milliseconds(600000)));
    const int atEnd = e2e::FramesInCaption(fe.window());
    const long memoryEnd = RssAnonKiB(proc);
    std::printf("memory: %ld KiB private after %d frames, %ld KiB after %d frames\n", memory100, at100, memoryEnd,
                atEnd);
    std::fflush(stdout);
    fe.process.Kill();  // the recording is dropped, as closing the program drops it
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) steadyFrames = std::atoi(argv[1]);
    return RUN_ALL_TESTS();
}
