// The real AVI library behind the recording's save, under Wine or Windows: the compression dialog is
// answered like a user would, and the video is read back through the same library.
#include <windows.h>
#include <vfw.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/Fakes.h"
#include "support/TempDir.h"
#include "video/BmpFile.h"
#include "video/SaveVideo.h"
#include "capture/FrameFiles.h"
#include "capture/Recorder.h"
#include "support/CaptureFakes.h"
#include "win32/AviFileLibrary.h"

namespace vfe {
namespace {

// Presses a button of this process's "Video Compression" dialog as soon as it shows.
class DialogAnswer {
public:
    explicit DialogAnswer(int button) : thread_([this, button] { Run(button); }) {}
    ~DialogAnswer() {
        stop_ = true;
        thread_.join();
    }
    bool answered() const { return answered_; }

private:
    void Run(int button) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            HWND dialog = FindWindowA("#32770", "Video Compression");
            DWORD process = 0;
            if (dialog) GetWindowThreadProcessId(dialog, &process);
            if (dialog && process == GetCurrentProcessId()) {
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                answered_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

std::vector<std::uint8_t> FrameInfo() {
    BmpInfoHeader info;
    info.biSize = 40;
    info.biWidth = 64;
    info.biHeight = 48;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const auto bytes = PackInfoHeader(info);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> FramePixels(int i) {
    std::vector<std::uint8_t> pixels(64 * 3 * 48);
    for (std::size_t p = 0; p < pixels.size(); ++p) pixels[p] = static_cast<std::uint8_t>(p * 13 + i * 29);
    return pixels;
}

class RealAviLibrary : public ::testing::Test {
protected:
    RealAviLibrary() : fake(dir.str()) {
        fake.clock.seconds = 12 * 3600 + 34 * 60 + 56;
        fake.state.TamanoCuadroW = 640;
        fake.state.TamanoCuadroH = 480;
        for (int i = 0; i < kFrames; ++i) {
            const auto path = FrameFilePath(dir.str(), i);
            EXPECT_TRUE(WriteBmpFile(path, FrameInfo(), FramePixels(i)));
            fake.controls.ListAdd(path);
        }
        fake.state.Numero = kFrames;
    }
    // The recording's save, as restoring the window or "Save" runs it.
    SaveOutcome Save(int button) {
        win32::AviFileLibrary library(nullptr);
        AviVideoWriter writer(fake.frontEnd, library);
        EXPECT_EQ(writer.MissingLibraryPart(), "") << "every function of the library is there";
        testing::FakeScreenCapture screen;
        Recorder recorder(fake.frontEnd, screen, writer);
        DialogAnswer answer(button);
        const auto outcome = recorder.SaveRecordedFrames().outcome;
        EXPECT_TRUE(answer.answered());
        return outcome;
    }

    static constexpr int kFrames = 12;
    testing::TempDir dir;
    testing::FakeFrontEnd fake;
};

TEST_F(RealAviLibrary, WritesAFivePerSecondVideoOfKeyFramesAfterTheDialog) {
    ASSERT_EQ(Save(IDOK), SaveOutcome::Saved);
    EXPECT_FALSE(dir.Exists("z0.bmp"));
    const std::string video = dir.File("Velmoran_Cap_123456.avi");

    AVIFileInit();
    ::PAVIFILE file = nullptr;
    ASSERT_EQ(AVIFileOpenA(&file, video.c_str(), OF_READ, nullptr), 0);
    ::PAVISTREAM stream = nullptr;
    ASSERT_EQ(AVIFileGetStream(file, &stream, streamtypeVIDEO, 0), 0);
    AVISTREAMINFOA info{};
    ASSERT_EQ(AVIStreamInfoA(stream, &info, sizeof info), 0);
    EXPECT_EQ(info.dwRate, 5u);
    EXPECT_EQ(info.dwScale, 1u);
    EXPECT_EQ(AVIStreamLength(stream), kFrames);
    EXPECT_EQ(info.rcFrame.right, 640);
    EXPECT_EQ(info.rcFrame.bottom, 480);
    for (LONG i = 0; i < kFrames; ++i) {
        EXPECT_TRUE(AVIStreamIsKeyFrame(stream, i)) << i;
        std::vector<std::uint8_t> sample(64 * 3 * 48);
        LONG bytes = 0;
        ASSERT_EQ(AVIStreamRead(stream, i, 1, sample.data(), static_cast<LONG>(sample.size()), &bytes, nullptr), 0);
        EXPECT_EQ(sample, FramePixels(i)) << i;  // "Full Frames (Uncompressed)" keeps the pixels
    }
    AVIStreamRelease(stream);
    AVIFileRelease(file);
    AVIFileExit();
}

TEST_F(RealAviLibrary, CancellingTheDialogDiscardsTheRecording) {
    ASSERT_EQ(Save(IDCANCEL), SaveOutcome::Cancelled);
    EXPECT_FALSE(dir.Exists("z0.bmp"));
    EXPECT_TRUE(fake.messages.shown.empty());
}

}  // namespace
}  // namespace vfe
