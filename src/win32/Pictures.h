#pragma once
#include "shell/Artwork.h"
#include "win32/Handles.h"

namespace vfe::win32 {

// A 24-bit DIB section holding the picture.
GdiObject<HBITMAP> ToBitmap(const Picture24& picture);

}  // namespace vfe::win32
