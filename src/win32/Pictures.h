#pragma once
#include "shell/Artwork.h"
#include "win32/Handles.h"

namespace vfe::win32 {

// A 24-bit DIB section holding the picture.
GdiObject<HBITMAP> ToBitmap(const Picture24& picture);

// Draws the whole bitmap at (left, top): at its own size, or stretched (halftone) to
// width x height when those are given.
void DrawBitmap(HDC dc, HBITMAP bitmap, int left, int top, int width = 0, int height = 0);

}  // namespace vfe::win32
