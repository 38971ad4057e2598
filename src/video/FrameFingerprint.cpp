#include "video/FrameFingerprint.h"

#include <array>
#include <cstring>

namespace vfe {

namespace {

constexpr std::uint32_t kPrime1 = 0x9E3779B1u;
constexpr std::uint32_t kPrime2 = 0x85EBCA77u;
constexpr std::uint32_t kPrime3 = 0xC2B2AE3Du;
constexpr std::uint32_t kPrime5 = 0x165667B1u;

constexpr std::uint32_t RotateLeft(std::uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

std::uint32_t Word(const std::uint8_t* at) {
    std::uint32_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

std::uint32_t Round(std::uint32_t lane, std::uint32_t word) { return RotateLeft(lane + word * kPrime2, 13) * kPrime1; }

std::uint32_t Avalanche(std::uint32_t hash) {
    hash ^= hash >> 15;
    hash *= kPrime2;
    hash ^= hash >> 13;
    hash *= kPrime3;
    return hash ^ (hash >> 16);
}

}  // namespace

std::uint64_t FrameFingerprint(std::span<const std::uint8_t> bytes) {
    // Four independent lanes over 16 bytes a step keep the processor's multipliers busy.
    std::array<std::uint32_t, 4> lanes{kPrime1 + kPrime2, kPrime2, 0, 0u - kPrime1};
    const std::uint8_t* at = bytes.data();
    const std::uint8_t* const end = at + bytes.size();
    for (; end - at >= 16; at += 16)
        for (std::size_t lane = 0; lane < lanes.size(); ++lane) lanes[lane] = Round(lanes[lane], Word(at + 4 * lane));

    const auto length = static_cast<std::uint32_t>(bytes.size());
    std::uint32_t low = RotateLeft(lanes[0], 1) + RotateLeft(lanes[1], 7) + RotateLeft(lanes[2], 12) +
                        RotateLeft(lanes[3], 18) + length;
    std::uint32_t high = (lanes[0] ^ RotateLeft(lanes[2], 5)) + (lanes[1] ^ RotateLeft(lanes[3], 11)) + kPrime5 +
                         static_cast<std::uint32_t>(static_cast<std::uint64_t>(bytes.size()) >> 32);
    for (; end - at >= 4; at += 4) {
        low = RotateLeft(low + Word(at) * kPrime3, 17) * kPrime1;
        high = RotateLeft(high ^ Word(at) * kPrime2, 11) * kPrime5;
    }
    for (; at < end; ++at) {
        low = RotateLeft(low + *at * kPrime5, 11) * kPrime1;
        high = RotateLeft(high + *at * kPrime1, 13) * kPrime3;
    }
    low = Avalanche(low);
    return static_cast<std::uint64_t>(Avalanche(high ^ low)) << 32 | low;
}

}  // namespace vfe
