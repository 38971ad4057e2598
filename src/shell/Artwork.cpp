#include "shell/Artwork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vfe {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A channel of 0..255 to its nearest whole value (halves up, as lround does for these).
std::uint8_t ToByte(double channel) { return static_cast<std::uint8_t>(channel + 0.5); }

// How strongly (0..1) a point lies on a two-armed spiral around the centre.
double SpiralWeight(double x, double y, double cx, double cy, double gap, double thickness, double maxRadius) {
    const double dx = x - cx, dy = y - cy;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r > maxRadius || r < 1.5) return 0.0;
    const double k = gap / (2 * kPi);
    double best = 1e9;
    for (double arm : {0.0, kPi}) {
        const double base = std::fmod(std::atan2(dy, dx) + arm + 4 * kPi, 2 * kPi);
        const double turn = std::round((r / k - base) / (2 * kPi));
        best = std::min(best, std::abs(r - k * (base + 2 * kPi * turn)));
    }
    const double scaled = r / maxRadius;
    const double fade = 1.0 - scaled * scaled * scaled;
    return std::clamp((thickness - best) / 1.2, 0.0, 1.0) * fade;
}

}  // namespace

Picture24 DrawArtwork(Artwork which) {
    Picture24 picture{{500, 217}, {}};
    const int w = picture.size.width, h = picture.size.height;
    picture.pixels.assign(static_cast<size_t>(picture.Stride()) * h, 0);

    const Rgb top{18, 24, 58}, bottom{4, 6, 16}, accent{255, 122, 36}, glow{255, 200, 120};
    const bool isBackground = which == Artwork::MainBackground;
    const double cx = isBackground ? w * 0.80 : w * 0.5;
    const double cy = isBackground ? h * 0.45 : h * 0.48;
    const double maxRadius = isBackground ? h * 0.42 : h * 0.44;

    // The halo is a Gaussian, so it splits into a factor per column and one per row.
    const double spread = 2 * std::pow(maxRadius * 0.6, 2);
    std::vector<double> haloX(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x) haloX[static_cast<size_t>(x)] = std::exp(-(x - cx) * (x - cx) / spread);

    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = picture.pixels.data() + static_cast<size_t>(picture.Stride()) * y;
        Rgb base = Mix(top, bottom, static_cast<double>(y) / (h - 1));
        if (y % 3 == 0) base = Mix(base, {0, 0, 0}, 0.25);  // faint scanlines, the look of a console screen
        const double dy2 = (y - cy) * (y - cy);
        const double haloY = std::exp(-dy2 / spread);
        for (int x = 0; x < w; ++x) {
            Rgb c = Mix(base, {60, 30, 70}, haloX[static_cast<size_t>(x)] * haloY * 0.6);
            const double d2 = (x - cx) * (x - cx) + dy2;
            if (d2 <= maxRadius * maxRadius) {
                if (const double s = SpiralWeight(x, y, cx, cy, maxRadius / 2.6, 4.5, maxRadius); s > 0)
                    c = Mix(c, Mix(accent, glow, 1 - std::sqrt(d2) / maxRadius), s);
            }
            if (isBackground && (y == 167 || y == 168))  // a light rule under the title
                c = Mix(c, {200, 210, 255}, 0.35 * (1 - std::abs(x - 250) / 260.0));
            row[x * 3 + 0] = ToByte(c.b);
            row[x * 3 + 1] = ToByte(c.g);
            row[x * 3 + 2] = ToByte(c.r);
        }
    }
    return picture;
}

}  // namespace vfe
