#pragma once

// Identifiers shared by the resource script and the code.
#define kIconId 1
#define kAboutIconId 2

#ifndef RC_INVOKED
namespace vfe::win32 {
// Window property under which a picture box keeps the bitmap it shows (not owned).
inline constexpr char kPictureProperty[] = "VelmoranFE2.Picture";
}  // namespace vfe::win32
#endif
