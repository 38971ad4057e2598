#include "about/AboutLayout.h"

#include "platform/Twips.h"

namespace vfe {

Size TwipsToPixels(Size twips, Size twipsPerPixel) {
    return {PixelsNearest(twips.width, twipsPerPixel.width), PixelsNearest(twips.height, twipsPerPixel.height)};
}

Bounds TwipsToPixels(const Bounds& twips, Size twipsPerPixel) {
    return {PixelsNearest(twips.left, twipsPerPixel.width), PixelsNearest(twips.top, twipsPerPixel.height),
            PixelsNearest(twips.width, twipsPerPixel.width), PixelsNearest(twips.height, twipsPerPixel.height)};
}

}  // namespace vfe
