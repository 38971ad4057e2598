#include <gtest/gtest.h>

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

TEST_F(CaptureWiringTest, RecordMenuStartsAndOnlyARestoreAfterTheMinimumSizeRuleEnds) {
    form.OnMenu(MenuItem::mnuRecordLQ);
    EXPECT_EQ(fake.state.TamanoCuadroW, 320.0);
    EXPECT_TRUE(fake.state.Grabando);
    form.Form_Resize();  // still minimized
    EXPECT_EQ(capture.writer.saves, 0);
    fake.controls.minimized = false;
    fake.controls.outerSize = {100, 100};
    form.Form_Resize();
    EXPECT_EQ(capture.writer.saves, 1);
    EXPECT_EQ(fake.controls.outerSizeLog.size(), 2u);
    EXPECT_FALSE(fake.state.Grabando);
}

TEST_F(CaptureWiringTest, TheFramesTheWriterReadsAreShownInThePreview) {
    form.OnMenu(MenuItem::mnuRecordHQ);
    fake.controls.minimized = false;
    form.Form_Resize();
    ASSERT_TRUE(capture.writer.lastList);
    const std::vector<std::uint8_t> info(40, 0), pixels{1, 2, 3, 4};
    capture.writer.lastList->ShowSelectedFrame({info, pixels});
    EXPECT_EQ(capture.screen.previewPixels, pixels);
}

}  // namespace
}  // namespace vfe
