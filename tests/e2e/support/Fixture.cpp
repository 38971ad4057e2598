#include <cstdio>

#include "emulator/EmulatorIdentity.h"
#include "support/E2E.h"

namespace e2e {

void ScreenshotIfFailed() {
    static std::string lastSaved;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test || !test->result()->Failed()) return;
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    if (name == lastSaved) return;  // the first picture is the one nearest the failure
    lastSaved = name;
    const auto shot = BuildDir() / "e2e-screenshots" / (name + ".png");
    if (SaveScreenshot(shot))
        std::printf("screen at the failure: %s\n", UnixPath(shot).c_str());
    else
        std::printf("the screenshot of the failure could not be saved\n");
    std::fflush(stdout);
}

namespace {

// Every test, whatever it derives from, leaves the screen of its first failure.
class ScreenshotAtTheFirstFailure : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.failed()) ScreenshotIfFailed();
    }
};

const bool kScreenshotListenerAdded = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotAtTheFirstFailure);  // gtest owns it
    return true;
}();

}  // namespace

int EndLeftoverPrograms() {
    std::vector<std::string_view> captions{kMainCaption};
    for (const auto& program : vfe::kIdentityTable) captions.push_back(program.caption);
    int ended = 0;
    for (const std::string_view caption : captions) {
        for (int guard = 0; guard < 20; ++guard) {
            const HWND window = FindTopWindow(caption);
            if (!window) break;
            const vfe::win32::KernelHandle process(
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessIdOf(window)));
            if (!process || !TerminateProcess(process.get(), 99)) break;
            WaitForSingleObject(process.get(), 5000);
            ++ended;
        }
    }
    return ended;
}

FrontEndTest::FrontEndTest(const FolderContents& contents) : folder(contents) {
    if (const int ended = EndLeftoverPrograms())
        std::printf("note: ended %d program(s) left by an earlier test\n", ended);
    DeleteRegistryTree(kSettingsKey);
}

FrontEndTest::~FrontEndTest() {
    KillProcessesInside(folder.path());
    DeleteRegistryTree(kSettingsKey);
}

}  // namespace e2e
