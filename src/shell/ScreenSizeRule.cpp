#include "shell/ScreenSizeRule.h"

#include "platform/ScreenCapture.h"

namespace vfe {

Size PreviewPictureSizeFor(Size screen, Size laidOutSize) {
    if (screen.width <= 0 || screen.height <= 0) return laidOutSize;
    return {screen.width + kPictureBorder, screen.height + kPictureBorder};
}

}  // namespace vfe
