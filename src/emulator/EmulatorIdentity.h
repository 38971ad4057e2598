#pragma once
#include <array>
#include <string_view>

namespace vfe {

// An outside program as the front-end knows it: its file in the application
// directory and the exact caption of its main window.
struct EmulatorBuild {
    std::string_view exeName;
    std::string_view caption;
};

inline constexpr EmulatorBuild kMainBuild{"velmoran.exe", "Velmoran Alpha v0.2a"};
inline constexpr EmulatorBuild kOldGfxBuild{"velmoran_old_gfx.exe", "Velmoran Alpha v0.2a Old Gfx"};
// Never started by the front-end; only the snapshot looks for its window.
inline constexpr EmulatorBuild kEarlierBuild{"", "Velmoran Alpha v0.1"};
inline constexpr EmulatorBuild kVmsBrowser{"vmsbrowser.exe", "Velmoran VMS data Browser by Dorvik"};

inline constexpr std::array<EmulatorBuild, 4> kIdentityTable{kMainBuild, kOldGfxBuild, kEarlierBuild, kVmsBrowser};

}  // namespace vfe
