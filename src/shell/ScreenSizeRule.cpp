#include "shell/ScreenSizeRule.h"

namespace vfe {

Size PreviewPictureSizeFor(Size screen, Size laidOutSize) {
    if (screen.height == 768) return {1028, 772};
    if (screen.height == 600) return {804, 604};
    return laidOutSize;
}

}  // namespace vfe
