#pragma once
#include "platform/Types.h"

namespace vfe {

inline constexpr int kMinimumOuterWidthTwips = 5800;
inline constexpr int kMinimumOuterHeightTwips = 3200;

bool IsBelowMinimumHeight(Size outer, Size twipsPerPixel);
bool IsBelowMinimumWidth(Size outer, Size twipsPerPixel);
// The minimum in whole pixels, rounded up so a restored size does not fail the same test again.
int MinimumOuterHeight(Size twipsPerPixel);
int MinimumOuterWidth(Size twipsPerPixel);

}  // namespace vfe
