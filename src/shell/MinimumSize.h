#pragma once
#include "platform/Types.h"

namespace vfe {

inline constexpr int kMinimumOuterWidthTwips = 5800;
inline constexpr int kMinimumOuterHeightTwips = 3200;

// Fewest whole pixels that measure at least `twips`; rounding up keeps a restored
// size from failing the same test again.
int PixelsForTwips(int twips, int twipsPerPixel);

bool IsBelowMinimumHeight(Size outer, Size twipsPerPixel);
bool IsBelowMinimumWidth(Size outer, Size twipsPerPixel);
int MinimumOuterHeight(Size twipsPerPixel);
int MinimumOuterWidth(Size twipsPerPixel);

}  // namespace vfe
