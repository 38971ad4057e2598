// The hidden "Take Snapshot" command, reached as its button would reach it.
#include <cstring>

#include "platform/MainWindowIds.h"
#include "support/E2E.h"
#include "win32/MainWindow.h"

namespace {

void ClickSnapshot(const e2e::FrontEnd& fe) {
    const int id = vfe::win32::kControlIdBase + static_cast<int>(vfe::Control::cmdSnapshot);
    PostMessageA(fe.window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class Snapshot : public e2e::FrontEndTest {};

TEST_F(Snapshot, SavesTheEarlierBuildsWindowAsNumberedFiles) {
    e2e::Process emulator = folder.Start("velmoran_v01.exe");
    const HWND window = e2e::WaitForWindow("Velmoran Alpha v0.1");
    ASSERT_TRUE(window);
    e2e::FrontEnd fe(folder);  // its working directory is the application folder
    ASSERT_TRUE(fe.window());

    ClickSnapshot(fe);
    ASSERT_TRUE(e2e::WaitUntil([&] { return folder.Exists("Snapshot0.bmp"); }));
    ClickSnapshot(fe);
    ASSERT_TRUE(e2e::WaitUntil([&] { return folder.Exists("Snapshot1.bmp"); }));
    EXPECT_TRUE(e2e::ShowsNoDialog(fe));

    // The second snapshot began after the first was written: Snapshot0.bmp is complete.
    const std::string bmp = folder.Read("Snapshot0.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    std::int32_t width = 0, height = 0;
    std::memcpy(&width, bmp.data() + 18, 4);
    std::memcpy(&height, bmp.data() + 22, 4);
    const SIZE outer = e2e::OuterSize(window);
    EXPECT_EQ(width, outer.cx);
    EXPECT_EQ(height, outer.cy);
}

TEST_F(Snapshot, WithoutTheEarlierBuildSaysItIsNotRunning) {
    e2e::Process emulator = folder.Start("velmoran.exe");  // the main build does not count
    ASSERT_TRUE(e2e::WaitForWindow("Velmoran Alpha v0.2a"));
    e2e::FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    ClickSnapshot(fe);
    const auto box = e2e::WaitForMessageBox(fe);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Velmoran Front-End2");
    EXPECT_EQ(box->text, "Velmoran is not running!");
    e2e::Answer(*box, IDOK);
    EXPECT_FALSE(folder.Exists("Snapshot0.bmp"));
}

}  // namespace
