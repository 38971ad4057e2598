#include "video/VideoPalette.h"

#include <algorithm>

namespace vfe {

namespace {

struct Colour {
    int r, g, b;
};

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 255 / (kCubeLevels - 1);
constexpr int kCubeColours = kCubeLevels * kCubeLevels * kCubeLevels;
constexpr int kPaletteSize = 256;

constexpr int NearestLevel(int channel) { return (channel + kCubeStep / 2) / kCubeStep; }
constexpr int CubeIndex(int r, int g, int b) { return (r * kCubeLevels + g) * kCubeLevels + b; }
constexpr bool OnCube(const Colour& c) { return c.r % kCubeStep == 0 && c.g % kCubeStep == 0 && c.b % kCubeStep == 0; }

int DistanceSquared(const Colour& a, const Colour& b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

// The middle of the 8 x 8 x 8 full colours that a 15-bit colour stands for.
Colour Middle(unsigned colour) {
    return {static_cast<int>((colour >> 10) & 31) * 8 + 4, static_cast<int>((colour >> 5) & 31) * 8 + 4,
            static_cast<int>(colour & 31) * 8 + 4};
}

// The cube, in CubeIndex order, then the census's most frequent colours that it lacks.
std::vector<Colour> PaletteColours(const ColourCensus& census) {
    std::vector<Colour> colours;
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b) colours.push_back({r * kCubeStep, g * kCubeStep, b * kCubeStep});

    std::vector<unsigned> seen;
    for (unsigned colour = 0; colour < kRgb555Colours; ++colour)
        if (census.Count(colour) > 0) seen.push_back(colour);
    std::stable_sort(seen.begin(), seen.end(), [&](unsigned a, unsigned b) { return census.Count(a) > census.Count(b); });
    for (const unsigned colour : seen) {
        if (colours.size() == kPaletteSize) break;
        const Colour mean{census.Mean(colour, 0), census.Mean(colour, 1), census.Mean(colour, 2)};
        if (!OnCube(mean)) colours.push_back(mean);
    }
    return colours;
}

}  // namespace

VideoPalette::VideoPalette(const ColourCensus& census) : nearest_(kRgb555Colours) {
    const auto colours = PaletteColours(census);
    for (const Colour& c : colours)
        table_.insert(table_.end(), {static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.g),
                                     static_cast<std::uint8_t>(c.r), std::uint8_t{0}});
    for (unsigned colour = 0; colour < kRgb555Colours; ++colour) {
        const Colour middle = Middle(colour);
        int best = CubeIndex(NearestLevel(middle.r), NearestLevel(middle.g), NearestLevel(middle.b));
        int bestDistance = DistanceSquared(colours[static_cast<std::size_t>(best)], middle);
        for (int i = kCubeColours; i < static_cast<int>(colours.size()); ++i) {
            const int distance = DistanceSquared(colours[static_cast<std::size_t>(i)], middle);
            if (distance < bestDistance) best = i, bestDistance = distance;
        }
        nearest_[colour] = static_cast<std::uint8_t>(best);
    }
    // A colour taken from the census stands for its own 15-bit colour, which it lies in.
    for (int i = kCubeColours; i < static_cast<int>(colours.size()); ++i) {
        const Colour& c = colours[static_cast<std::size_t>(i)];
        nearest_[Rgb555Of(static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g), static_cast<std::uint8_t>(c.b))] =
            static_cast<std::uint8_t>(i);
    }
}

}  // namespace vfe
