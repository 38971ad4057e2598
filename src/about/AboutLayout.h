#pragma once
#include <cstdint>

#include "platform/Types.h"

namespace vfe {

// A rectangle in twips or pixels.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// frmVelmoranAbout as laid out, in twips.
inline constexpr Size kAboutClientTwips{3720, 3105};
inline constexpr Bounds kShape1Twips{0, 0, 3735, 3135};
inline constexpr Bounds kImage1Twips{120, 120, 3465, 1335};
inline constexpr Bounds krtbAboutTwips{120, 1560, 3495, 1455};
inline constexpr std::uint32_t kShape1Colour = 0x00404040;  // dark grey, as 0x00BBGGRR
inline constexpr char kAboutCaption[] = "About Velmoran Front-End";

// Twips to whole pixels, rounded to the nearest, at the screen's twips per pixel.
Size TwipsToPixels(Size twips, Size twipsPerPixel);
Bounds TwipsToPixels(const Bounds& twips, Size twipsPerPixel);

// Where a window of `size` opens: centred over `over`, then moved in where it would stand
// outside `workArea`. Larger than the area, it keeps its top left inside: its title bar is
// the only way to close it.
Bounds CentredInside(Size size, const Bounds& over, const Bounds& workArea);

}  // namespace vfe
