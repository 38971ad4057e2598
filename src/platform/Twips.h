#pragma once

namespace vfe {

// Window sizes are laid out in twips, 1/1440 inch: 15 twips per pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixelAt96Dpi = 15;

// Twips per pixel on a screen of `dotsPerInch`; a screen that reports no resolution
// counts as 96 dots per inch.
int TwipsPerPixelFor(int dotsPerInch);

// Whole pixels for `twips`: the fewest that measure at least that much, or the nearest.
// A twips-per-pixel of 0 or less counts as 96 dots per inch.
int PixelsAtLeast(int twips, int twipsPerPixel);
int PixelsNearest(int twips, int twipsPerPixel);

}  // namespace vfe
