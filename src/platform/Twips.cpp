#include "platform/Twips.h"

namespace vfe {

namespace {
int Usable(int twipsPerPixel) { return twipsPerPixel > 0 ? twipsPerPixel : kTwipsPerPixelAt96Dpi; }
}  // namespace

int TwipsPerPixelFor(int dotsPerInch) {
    return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : kTwipsPerPixelAt96Dpi;
}

int PixelsAtLeast(int twips, int twipsPerPixel) {
    const int perPixel = Usable(twipsPerPixel);
    return (twips + perPixel - 1) / perPixel;
}

int PixelsNearest(int twips, int twipsPerPixel) {
    const int perPixel = Usable(twipsPerPixel);
    return (twips + perPixel / 2) / perPixel;
}

}  // namespace vfe
