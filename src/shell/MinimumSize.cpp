#include "shell/MinimumSize.h"

#include "platform/Twips.h"

namespace vfe {

bool IsBelowMinimumHeight(Size outer, Size twipsPerPixel) {
    return outer.height * twipsPerPixel.height < kMinimumOuterHeightTwips;
}

bool IsBelowMinimumWidth(Size outer, Size twipsPerPixel) {
    return outer.width * twipsPerPixel.width < kMinimumOuterWidthTwips;
}

int MinimumOuterHeight(Size twipsPerPixel) { return PixelsAtLeast(kMinimumOuterHeightTwips, twipsPerPixel.height); }

int MinimumOuterWidth(Size twipsPerPixel) { return PixelsAtLeast(kMinimumOuterWidthTwips, twipsPerPixel.width); }

}  // namespace vfe
