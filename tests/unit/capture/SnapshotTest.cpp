#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>

#include "capture/CaptureTexts.h"
#include "capture/Snapshot.h"
#include "support/CaptureFakes.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace vfe {
namespace {

using testing::TempDir;

constexpr WindowHandle kEarlierBuildWindow = 9;

// The working directory moved into a folder for one test.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& to) : before_(std::filesystem::current_path()) {
        std::filesystem::current_path(to);
    }
    ~WorkingDirectory() { std::filesystem::current_path(before_); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path before_;
};

class SnapshotTest : public ::testing::Test {
protected:
    SnapshotTest() {
        fake.state.ShowMode = ShowCode::Maximized;
        fake.windows.windows["Velmoran Alpha v0.1"] = kEarlierBuildWindow;
        clipboard.pictures = {testing::PackedBitmap32(2, 2, 0x5A)};
    }

    TempDir appDir;
    TempDir workDir;
    WorkingDirectory cwd{workDir.path()};
    testing::FakeFrontEnd fake{appDir.str()};
    testing::FakeClipboard clipboard;
    Snapshot snapshot{fake.frontEnd, clipboard, fake.capture.screen, fake.capture.files};
};

TEST_F(SnapshotTest, WithoutTheEarlierBuildNothingIsTaken) {
    fake.windows.windows.clear();
    fake.windows.windows["Velmoran Alpha v0.2a"] = 7;  // only the earlier build's window counts
    fake.state.EmulatorWnd = 7;
    snapshot.cmdSnapshot_Click();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "Velmoran is not running!");
    EXPECT_EQ(fake.messages.shown[0].title, "Velmoran Front-End2");
    EXPECT_EQ(fake.messages.shown[0].flags, MsgBox::OkOnly);
    EXPECT_EQ(fake.state.EmulatorWnd, 0u);
    EXPECT_EQ(fake.state.SnapshotNumber, 0);
    EXPECT_TRUE(clipboard.calls.empty());
}

TEST_F(SnapshotTest, SavesTheClipboardPictureAsTheNextNumberedFileInTheWorkingDirectory) {
    snapshot.cmdSnapshot_Click();
    EXPECT_EQ(fake.windows.calls, (std::vector<std::string>{"find Velmoran Alpha v0.1", "show 9 2", "show 9 3"}));
    EXPECT_EQ(clipboard.calls, (std::vector<std::string>{"empty", "print screen", "read"}));
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.state.SnapshotNumber, 1);
    EXPECT_FALSE(appDir.Exists("Snapshot0.bmp"));
    const auto bytes = workDir.Read("Snapshot0.bmp");
    ASSERT_EQ(bytes.size(), 14u + 40u + 16u);
    EXPECT_EQ(bytes[0], 'B');
    std::uint32_t sizeImage = 0;
    std::memcpy(&sizeImage, bytes.data() + 14 + 20, sizeof sizeImage);
    EXPECT_EQ(sizeImage, 16u);  // filled in although the clipboard left it 0
    EXPECT_EQ(bytes.back(), 0x5A);

    snapshot.cmdSnapshot_Click();
    EXPECT_TRUE(workDir.Exists("Snapshot1.bmp"));
    EXPECT_EQ(fake.state.SnapshotNumber, 2);
}

TEST_F(SnapshotTest, WaitsBrieflyForThePictureThenTakesItFromTheScreenOrSaysSo) {
    clipboard.pictures = {std::nullopt, std::nullopt, testing::PackedBitmap32(2, 2, 1)};
    snapshot.cmdSnapshot_Click();
    EXPECT_EQ(std::count(clipboard.calls.begin(), clipboard.calls.end(), "pause 50"), 2);
    EXPECT_TRUE(workDir.Exists("Snapshot0.bmp"));

    clipboard.pictures = {std::nullopt};
    clipboard.calls.clear();
    snapshot.cmdSnapshot_Click();
    EXPECT_EQ(std::count(clipboard.calls.begin(), clipboard.calls.end(), "read"), kClipboardPolls);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kNoWindowPictureText);
    EXPECT_EQ(fake.state.SnapshotNumber, 1);
    EXPECT_FALSE(workDir.Exists("Snapshot1.bmp"));

    // Print Screen that leaves the clipboard empty: the window is taken from the screen.
    fake.capture.screen.windowPicture = testing::PackedBitmap32(2, 2, 7);
    snapshot.cmdSnapshot_Click();
    EXPECT_EQ(fake.capture.screen.calls.back(), "window picture 9");
    EXPECT_EQ(workDir.Read("Snapshot1.bmp").back(), 7);
    EXPECT_EQ(fake.state.SnapshotNumber, 2);
    fake.capture.screen.windowPicture.reset();

    clipboard.pictures = {std::vector<std::uint8_t>(10, 0)};  // not a bitmap we can trust
    snapshot.cmdSnapshot_Click();
    EXPECT_EQ(fake.messages.shown.back().text, kNoWindowPictureText);

    clipboard.pictures = {testing::PackedBitmap32(2, 2, 1)};
    std::filesystem::create_directory(workDir.path() / "Snapshot2.bmp");
    snapshot.cmdSnapshot_Click();
    EXPECT_EQ(fake.messages.shown.back().text, "Snapshot file could not be written:\r\nSnapshot2.bmp");
    EXPECT_EQ(fake.state.SnapshotNumber, 2);
}

// A write that fails part way (a full disk; here a file-size limit) leaves the older
// snapshot of that name as it was, and no half-written file.
TEST_F(SnapshotTest, AFailedWriteNeverDestroysAnOlderSnapshot) {
    workDir.Write("Snapshot0.bmp", std::string("an older snapshot"));
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered{60, previous.rlim_max};  // the new file has 70 bytes
    setrlimit(RLIMIT_FSIZE, &lowered);
    snapshot.cmdSnapshot_Click();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);

    const std::string older = "an older snapshot";
    EXPECT_EQ(workDir.Read("Snapshot0.bmp"), std::vector<std::uint8_t>(older.begin(), older.end()));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "Snapshot file could not be written:\r\nSnapshot0.bmp");
    EXPECT_EQ(fake.state.SnapshotNumber, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(workDir.path()), {}), 1) << "nothing else is left";

    // Whole, but not put in its place (the older one in use, say): the older one is never removed first.
    struct Refused final : FileReplace {
        bool Replace(const std::string&, const std::string&) override { return false; }
    } refused;
    Snapshot{fake.frontEnd, clipboard, fake.capture.screen, refused}.cmdSnapshot_Click();
    EXPECT_EQ(workDir.Read("Snapshot0.bmp"), std::vector<std::uint8_t>(older.begin(), older.end()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(workDir.path()), {}), 1);

    snapshot.cmdSnapshot_Click();  // with room again, the new one takes its place
    EXPECT_EQ(workDir.Read("Snapshot0.bmp").size(), 70u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(workDir.path()), {}), 1);
}

TEST_F(SnapshotTest, NumberThirtyTwoSevenSixtySevenIsTheLast) {
    fake.state.SnapshotNumber = 32767;
    snapshot.cmdSnapshot_Click();
    EXPECT_TRUE(workDir.Exists("Snapshot32767.bmp"));
    EXPECT_EQ(fake.state.SnapshotNumber, 32767);
    clipboard.calls.clear();
    snapshot.cmdSnapshot_Click();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kSnapshotNumbersUsedUpText);
    EXPECT_TRUE(clipboard.calls.empty());
    EXPECT_FALSE(workDir.Exists("Snapshot-32768.bmp"));
}

}  // namespace
}  // namespace vfe
