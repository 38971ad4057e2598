// The stand-in for the outside programs: the tests of the launch, display-mode,
// browser and recording commands rely on what it shows and logs.
#include <algorithm>

#include "support/E2E.h"

namespace {

class Standin : public e2e::FrontEndTest {
protected:
    Standin() : e2e::FrontEndTest({.frontEnd = false}) {}
};

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(Standin, TakesItsCaptionFromItsFileName) {
    const std::pair<const char*, const char*> expected[] = {
        {"velmoran.exe", "Velmoran Alpha v0.2a"},
        {"velmoran_old_gfx.exe", "Velmoran Alpha v0.2a Old Gfx"},
        {"vmsbrowser.exe", "Velmoran VMS data Browser by Dorvik"},
        {"velmoran_v01.exe", "Velmoran Alpha v0.1"},
    };
    for (const auto& [exe, caption] : expected) {
        e2e::Process program = folder.Start(exe);
        const HWND window = e2e::WaitForWindow(caption);
        ASSERT_TRUE(window) << exe;
        // Whole caption: the main build's window is not the old-graphics one.
        EXPECT_EQ(e2e::WindowText(window), caption);
        EXPECT_EQ(e2e::ProcessIdOf(window), program.id());
    }
}

TEST_F(Standin, LogsItsStartWithShowCodeAndWorkingFolder) {
    const auto workDir = folder / "work";
    std::filesystem::create_directory(workDir);
    e2e::Process program = e2e::StartProcess(folder / "velmoran.exe", SW_SHOWNORMAL, workDir);
    ASSERT_TRUE(folder.WaitForLogLine("velmoran.exe", "started"));
    const auto lines = folder.LogLines("velmoran.exe");
    EXPECT_EQ(lines.front(),
              "started pid=" + std::to_string(program.id()) + " show=1 cwd=" + workDir.string());
    // Each name logs on its own: nothing went to the other logs.
    EXPECT_FALSE(folder.Exists("vmsbrowser.log"));
    EXPECT_FALSE(folder.Exists("velmoran_old_gfx.log"));
}

TEST_F(Standin, FirstShowObeysTheStartersShowCode) {
    e2e::Process maximized = folder.Start("velmoran.exe", SW_SHOWMAXIMIZED);
    const HWND big = e2e::WaitForWindow("Velmoran Alpha v0.2a");
    ASSERT_TRUE(big);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsZoomed(big) != FALSE; }));
    EXPECT_TRUE(folder.WaitForLogLine("velmoran.exe", "started pid=" + std::to_string(maximized.id()) + " show=3"));
    EXPECT_TRUE(folder.WaitForLogLine("velmoran.exe", "size maximized"));

    e2e::Process minimized = folder.Start("vmsbrowser.exe", SW_SHOWMINIMIZED);
    const HWND small = e2e::WaitForWindow("Velmoran VMS data Browser by Dorvik");
    ASSERT_TRUE(small);
    EXPECT_TRUE(e2e::WaitUntil([&] { return IsIconic(small) != FALSE; }));
    EXPECT_TRUE(folder.WaitForLogLine("vmsbrowser.exe", "started pid=" + std::to_string(minimized.id()) + " show=2"));
}

TEST_F(Standin, LogsShowCommandsFromOtherProcesses) {
    e2e::Process program = folder.Start("velmoran_old_gfx.exe");
    const HWND window = e2e::WaitForWindow("Velmoran Alpha v0.2a Old Gfx");
    ASSERT_TRUE(window);
    ShowWindow(window, SW_SHOWMINIMIZED);
    EXPECT_TRUE(folder.WaitForLogLine("velmoran_old_gfx.exe", "size minimized"));
    ShowWindow(window, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(folder.WaitForLogLine("velmoran_old_gfx.exe", "size maximized"));
    ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto lines = folder.LogLines("velmoran_old_gfx.exe");
        return !lines.empty() && lines.back() == "size restored";
    }));
}

TEST_F(Standin, ClosesOnWmCloseAndLogsIt) {
    e2e::Process program = folder.Start("velmoran.exe");
    const HWND window = e2e::WaitForWindow("Velmoran Alpha v0.2a");
    ASSERT_TRUE(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 0u);
    const auto lines = folder.LogLines("velmoran.exe");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 2], "WM_CLOSE");
    EXPECT_EQ(lines.back(), "exit");
}

TEST_F(Standin, SeveralInstancesShareOneLog) {
    e2e::Process first = folder.Start("velmoran.exe");
    e2e::Process second = folder.Start("velmoran.exe");
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TopWindowsOf(second.id()).size() == 1; }));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::TopWindowsOf(first.id()).size() == 1; }));
    PostMessageA(e2e::TopWindowsOf(first.id()).front(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.WaitForExit());
    EXPECT_TRUE(second.IsRunning());
    const auto lines = folder.LogLines("velmoran.exe");
    EXPECT_TRUE(HasLine(lines, "exit"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("started"); }),
              2);
}

TEST_F(Standin, TeardownEndsProgramsItDidNotStartItself) {
    // As with stand-ins that the front-end starts: found by their folder, not by handle.
    e2e::Process program = folder.Start("vmsbrowser.exe");
    ASSERT_TRUE(e2e::WaitForWindow("Velmoran VMS data Browser by Dorvik"));
    EXPECT_EQ(e2e::KillProcessesInside(folder.path()), 1);
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_TRUE(e2e::WaitForWindowGone("Velmoran VMS data Browser by Dorvik"));
}

}  // namespace
