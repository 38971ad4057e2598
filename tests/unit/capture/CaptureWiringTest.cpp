#include <gtest/gtest.h>

#include "capture/CaptureTexts.h"
#include "shell/frmVelmoranLoad.h"
#include "support/CaptureFakes.h"
#include "support/Fakes.h"

namespace vfe {
namespace {

// The capture handlers as the main window runs them: menu items, resize, list.
class CaptureWiringTest : public ::testing::Test {
protected:
    CaptureWiringTest() {
        fake.state.EmulatorCaption = "Velmoran Alpha v0.2a";
        fake.windows.windows["Velmoran Alpha v0.2a"] = 7;
        form.Form_Load();
    }
    testing::FakeFrontEnd fake{"/nonexistent-folder"};
    testing::FakeCapture& capture = fake.capture;
    frmVelmoranLoad form{fake.frontEnd, fake.about, capture.Services()};
};

// The restore may come from another program, whose call waits for our resize handler: the
// recording ends (and the save with its dialog runs) from the queue, after the handler.
TEST_F(CaptureWiringTest, RecordMenuStartsAndOnlyARestoreAfterTheMinimumSizeRuleEndsItFromTheQueue) {
    form.OnMenu(MenuItem::mnuRecordLQ);
    EXPECT_EQ(fake.state.TamanoCuadroW, 320.0);
    EXPECT_TRUE(fake.state.Grabando);
    form.Form_Resize();  // still minimized
    EXPECT_EQ(fake.controls.endRecordingPosts, 0);
    fake.controls.minimized = false;
    fake.controls.outerSize = {100, 100};
    form.Form_Resize();
    EXPECT_EQ(fake.controls.outerSizeLog.size(), 2u);
    EXPECT_EQ(capture.writer.saves, 0);
    EXPECT_EQ(fake.controls.endRecordingPosts, 1);
    form.Form_EndRecordingPosted();
    EXPECT_EQ(capture.writer.saves, 1);
    EXPECT_FALSE(fake.state.Grabando);
    form.Form_EndRecordingPosted();  // a second one finds nothing left to end
    EXPECT_EQ(capture.writer.saves, 1);

    // A queue that takes nothing more: the recording ends at once rather than never.
    form.OnMenu(MenuItem::mnuRecordLQ);
    fake.controls.minimized = false;
    fake.controls.refusePosts = true;
    form.Form_Resize();
    EXPECT_EQ(capture.writer.saves, 2);
}

// A handler that failed (its exception caught by the window) is never passed over: during
// a recording it stops it as a failed write does, otherwise it is said once.
TEST_F(CaptureWiringTest, AFaultInAHandlerStopsARecordingOrIsSaidOnce) {
    form.OnMenu(MenuItem::mnuRecordHQ);
    capture.screen.calls.clear();
    fake.messages.shown.clear();
    form.Form_Fault();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    // No frame was taken yet: none are promised for saving.
    EXPECT_EQ(fake.messages.shown[0].text, kHandlerFaultText + "\r\n" + kRecordingStoppedEmptyText);
    EXPECT_EQ(fake.controls.timerInterval, 0u);
    form.Timer_Timer();
    EXPECT_TRUE(capture.screen.calls.empty()) << "no frame after the fault";
    fake.controls.minimized = false;
    form.Form_Resize();
    form.Form_EndRecordingPosted();
    EXPECT_EQ(capture.writer.saves, 1);  // what was taken is saved as usual

    fake.messages.shown.clear();
    form.Form_Fault();
    form.Form_Fault();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kHandlerFaultText);
    EXPECT_EQ(fake.messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Exclamation);
}

TEST_F(CaptureWiringTest, TheFramesTheWriterReadsAreShownInThePreview) {
    form.OnMenu(MenuItem::mnuRecordHQ);
    fake.controls.minimized = false;
    form.Form_Resize();
    form.Form_EndRecordingPosted();
    ASSERT_TRUE(capture.writer.lastList);
    const std::vector<std::uint8_t> info(40, 0), pixels{1, 2, 3, 4};
    capture.writer.lastList->ShowSelectedFrame({info, pixels});
    EXPECT_EQ(capture.screen.previewPixels, pixels);
}

}  // namespace
}  // namespace vfe
