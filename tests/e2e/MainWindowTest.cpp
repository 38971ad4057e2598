// The main window as a user meets it: its caption and size, the minimum size it
// keeps, and the two ways to end the program.
#include "support/E2E.h"

namespace {

using e2e::FrontEnd;

class MainWindow : public e2e::FrontEndTest {};

TEST_F(MainWindow, OpensWithItsCaptionAndClientSize) {
    FrontEnd fe(folder);
    ASSERT_TRUE(fe.window());
    EXPECT_EQ(e2e::WindowText(fe.window()), "Velmoran Front-End (by Quorvex)");
    const SIZE client = e2e::ClientSize(fe.window());
    EXPECT_EQ(client.cx, 498);
    EXPECT_EQ(client.cy, 215);
}

}  // namespace
