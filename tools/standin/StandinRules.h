#pragma once
// What the stand-in decides without any window: its caption, the region it reads
// from the flash image, and the name of its log. Header-only so that the native unit
// tests check it without building the Windows program.
#include <cctype>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "emulator/EmulatorIdentity.h"

namespace vfe::standin {

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// The file name part of a path (either separator).
inline std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The caption of the outside program this copy stands in for; an unknown name
// (the plain standin.exe) shows its own file name.
inline std::string CaptionForExe(std::string_view exeFileName) {
    for (const auto& build : kIdentityTable) {
        if (!build.exeName.empty() && EqualsIgnoringCase(build.exeName, exeFileName))
            return std::string(build.caption);
    }
    if (EqualsIgnoringCase(exeFileName, "velmoran_v01.exe")) return std::string(kEarlierBuild.caption);
    return std::string(exeFileName);
}

// "velmoran.exe" -> "velmoran.log": the log beside the program, one per name.
inline std::string LogNameForExe(std::string_view exeFileName) {
    std::string_view stem = exeFileName;
    if (stem.size() >= 4 && EqualsIgnoringCase(stem.substr(stem.size() - 4), ".exe")) stem.remove_suffix(4);
    return std::string(stem) + ".log";
}

inline constexpr std::size_t kRegionOffset = 0x1A002;

// The console region as the emulator would read it from the flash image's region byte.
inline std::string RegionText(std::span<const unsigned char> flash) {
    if (flash.size() <= kRegionOffset) return "no flash image";
    switch (flash[kRegionOffset]) {
        case '0': return "Japan NTSC";
        case '1': return "US NTSC";
        case '2': return "Europe PAL";
        default: return "unknown region byte " + std::to_string(flash[kRegionOffset]);
    }
}

}  // namespace vfe::standin
