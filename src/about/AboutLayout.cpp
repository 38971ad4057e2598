#include "about/AboutLayout.h"

namespace vfe {

namespace {
int ToPixels(int twips, int twipsPerPixel) {
    if (twipsPerPixel <= 0) twipsPerPixel = 15;  // a screen that reports no resolution counts as 96 dpi
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}
}  // namespace

Size TwipsToPixels(Size twips, Size twipsPerPixel) {
    return {ToPixels(twips.width, twipsPerPixel.width), ToPixels(twips.height, twipsPerPixel.height)};
}

Bounds TwipsToPixels(const Bounds& twips, Size twipsPerPixel) {
    return {ToPixels(twips.left, twipsPerPixel.width), ToPixels(twips.top, twipsPerPixel.height),
            ToPixels(twips.width, twipsPerPixel.width), ToPixels(twips.height, twipsPerPixel.height)};
}

}  // namespace vfe
