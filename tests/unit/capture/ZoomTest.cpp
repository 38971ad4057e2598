#include <gtest/gtest.h>

#include "capture/Zoom.h"
#include "shell/frmVelmoranLoad.h"
#include "support/CaptureFakes.h"
#include "support/Fakes.h"

namespace vfe {
namespace {

TEST(Zoom, OneIsAStopInBothDirections) {
    EXPECT_EQ(ZoomedIn(0.0f), 1.0f);
    EXPECT_EQ(ZoomedOut(0.0f), -0.05f);
    EXPECT_EQ(ZoomedIn(1.0f), 1.05f);
    EXPECT_EQ(ZoomedOut(1.0f), 0.95f);
    EXPECT_EQ(ZoomedOut(1.5f), 1.0f);
    EXPECT_EQ(ZoomedOut(ZoomedOut(1.5f)), 0.95f);
    EXPECT_EQ(ZoomedIn(0.5f), 1.0f);
    EXPECT_EQ(ZoomedIn(ZoomedIn(0.5f)), 1.05f);
}

TEST(Zoom, StepsAreFormedInDoublePrecisionAndKeptInSingle) {
    float factor = 1.0f;
    for (int click = 0; click < 3; ++click) factor = ZoomedIn(factor);
    EXPECT_EQ(factor, 0x1.266664p+0f);  // 1.15 as the single-precision steps reach it

    factor = 1.0f;
    for (int click = 0; click < 20; ++click) factor = ZoomedOut(factor);
    // "About 0.0": a float-only subtraction would give -0x1.5p-23 here.
    EXPECT_EQ(factor, -0x1.4e6666p-23f);
    EXPECT_EQ(ZoomedOut(factor), -0x1.9999eep-5f);  // no lower bound
}

TEST(Zoom, ButtonsStepTheFactorAndRefreshThePreviewOnce) {
    testing::FakeFrontEnd fake;
    testing::FakeCapture& capture = fake.capture;
    frmVelmoranLoad form(fake.frontEnd, fake.about, capture.Services());
    form.cmdZoomIn_Click();  // before any recording: no capture picture, only the factor moves
    EXPECT_EQ(fake.state.ZoomFactor, 1.0f);
    EXPECT_TRUE(capture.screen.calls.empty());

    capture.screen.exists = true;
    form.cmdZoomOut_Click();
    EXPECT_EQ(fake.state.ZoomFactor, 0.95f);
    EXPECT_EQ(capture.screen.calls, (std::vector<std::string>{"copy 1024x768", "preview capture"}));
}

}  // namespace
}  // namespace vfe
