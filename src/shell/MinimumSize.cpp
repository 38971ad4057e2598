#include "shell/MinimumSize.h"

namespace vfe {

int PixelsForTwips(int twips, int twipsPerPixel) {
    if (twipsPerPixel <= 0) twipsPerPixel = 15;
    return (twips + twipsPerPixel - 1) / twipsPerPixel;
}

bool IsBelowMinimumHeight(Size outer, Size twipsPerPixel) {
    return outer.height * twipsPerPixel.height < kMinimumOuterHeightTwips;
}

bool IsBelowMinimumWidth(Size outer, Size twipsPerPixel) {
    return outer.width * twipsPerPixel.width < kMinimumOuterWidthTwips;
}

int MinimumOuterHeight(Size twipsPerPixel) { return PixelsForTwips(kMinimumOuterHeightTwips, twipsPerPixel.height); }

int MinimumOuterWidth(Size twipsPerPixel) { return PixelsForTwips(kMinimumOuterWidthTwips, twipsPerPixel.width); }

}  // namespace vfe
