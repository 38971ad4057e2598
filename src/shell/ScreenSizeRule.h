#pragma once
#include "platform/Types.h"

namespace vfe {

// Outer size of the preview picture for a screen: the capture area is the picture
// less 4 pixels each way, so a 768-line screen records 1024 x 768 and a 600-line
// screen 800 x 600; other screens keep the laid-out size.
Size PreviewPictureSizeFor(Size screen, Size laidOutSize);

}  // namespace vfe
