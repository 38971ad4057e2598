#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace vfe {

// A colour with 5 bits a channel, red highest: the pixel of a 16-bit (5-5-5) frame.
constexpr unsigned Rgb555Of(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return ((r >> 3u) << 10u) | ((g >> 3u) << 5u) | (b >> 3u);
}
inline constexpr unsigned kRgb555Colours = 1u << 15;

// The colours of a picture, counted by their 15-bit colour: how many pixels have it, and
// the mean of their full colours.
class ColourCensus {
public:
    ColourCensus() : count_(kRgb555Colours), sum_(3 * kRgb555Colours) {}
    void Add(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        const unsigned colour = Rgb555Of(r, g, b);
        ++count_[colour];
        sum_[3 * colour] += r;
        sum_[3 * colour + 1] += g;
        sum_[3 * colour + 2] += b;
    }
    std::uint64_t Count(unsigned colour) const { return count_[colour]; }
    // The mean red, green and blue of the pixels counted under `colour`, which has some.
    std::uint8_t Mean(unsigned colour, int channel) const {
        return static_cast<std::uint8_t>(sum_[3 * colour + static_cast<unsigned>(channel)] / count_[colour]);
    }

private:
    std::vector<std::uint64_t> count_;
    std::vector<std::uint64_t> sum_;
};

// The one palette of a video's 8-bit frames: the 216 colours of a cube of 6 levels a
// channel, which no colour is far from, and the colours that the census (of the first
// frame) found most often, exactly, up to 256 in all. Screens are mostly large areas of a
// few colours: those come out exact. For each 15-bit colour it holds the nearest entry.
class VideoPalette {
public:
    explicit VideoPalette(const ColourCensus& census);

    std::uint8_t IndexOf(std::uint8_t r, std::uint8_t g, std::uint8_t b) const { return nearest_[Rgb555Of(r, g, b)]; }
    // The colour table as an 8-bit bitmap's information block holds it: blue, green, red, 0.
    std::span<const std::uint8_t> ColourTable() const { return table_; }
    int Size() const { return static_cast<int>(table_.size() / 4); }

private:
    std::vector<std::uint8_t> table_;
    std::vector<std::uint8_t> nearest_;
};

}  // namespace vfe
