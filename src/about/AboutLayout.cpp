#include "about/AboutLayout.h"

#include <algorithm>

#include "platform/Twips.h"

namespace vfe {

Size TwipsToPixels(Size twips, Size twipsPerPixel) {
    return {PixelsNearest(twips.width, twipsPerPixel.width), PixelsNearest(twips.height, twipsPerPixel.height)};
}

Bounds TwipsToPixels(const Bounds& twips, Size twipsPerPixel) {
    return {PixelsNearest(twips.left, twipsPerPixel.width), PixelsNearest(twips.top, twipsPerPixel.height),
            PixelsNearest(twips.width, twipsPerPixel.width), PixelsNearest(twips.height, twipsPerPixel.height)};
}

namespace {

// A start along one axis, moved in so that `length` from it lies within the area where it can.
int MovedIn(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

Bounds CentredInside(Size size, const Bounds& over, const Bounds& workArea) {
    const int left = over.left + (over.width - size.width) / 2;
    const int top = over.top + (over.height - size.height) / 2;
    return {MovedIn(left, size.width, workArea.left, workArea.width),
            MovedIn(top, size.height, workArea.top, workArea.height), size.width, size.height};
}

}  // namespace vfe
