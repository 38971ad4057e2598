#pragma once
#include <cstdint>
#include <span>

namespace vfe {

// A 64-bit fingerprint of a frame's bytes, taken as the frame goes into a video and again as
// it is read back from the finished file: a frame the disk did not take whole (zeros where a
// write failed, a chunk of another frame) reads back with another fingerprint. It works in
// 32-bit steps, which the 32-bit release runs as fast as a 64-bit build would.
std::uint64_t FrameFingerprint(std::span<const std::uint8_t> bytes);

}  // namespace vfe
