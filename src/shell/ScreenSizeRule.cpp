#include "shell/ScreenSizeRule.h"

namespace vfe {

Size PreviewPictureSizeFor(Size screen, Size designSize) {
    if (screen.height == 768) return {1028, 772};
    if (screen.height == 600) return {804, 604};
    return designSize;
}

}  // namespace vfe
