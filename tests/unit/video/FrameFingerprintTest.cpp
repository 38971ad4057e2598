#include <gtest/gtest.h>

#include <vector>

#include "video/FrameFingerprint.h"

namespace vfe {
namespace {

// A frame chunk that differs from the frame written in any one byte is told apart: in each
// lane of the 16-byte steps, in the words behind them and in the last bytes.
TEST(FrameFingerprint, ChangesWithEveryByteOfTheFrame) {
    std::vector<std::uint8_t> frame(2 * 16 + 4 + 3);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i);
    const auto written = FrameFingerprint(frame);
    for (auto& byte : frame) {
        byte ^= 0x80;
        EXPECT_NE(FrameFingerprint(frame), written) << "byte " << &byte - frame.data();
        byte ^= 0x80;
    }
}

}  // namespace
}  // namespace vfe
