#pragma once
#include "platform/Types.h"

namespace vfe {

// Outer size of the preview picture for a screen: the screen plus the picture's border, so
// that the capture area (the picture less 4 pixels each way) is the whole primary screen, on
// every screen size (a 1024 x 768 screen records 1024 x 768, a 1920 x 1080 one 1920 x 1080).
// A screen whose size cannot be read keeps the laid-out size.
Size PreviewPictureSizeFor(Size screen, Size laidOutSize);

}  // namespace vfe
