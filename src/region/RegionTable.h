#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/MainWindowIds.h"

namespace vfe {

// The console regions, numbered as they are saved.
enum class Region { Japan = 0, US = 1, Europe = 2 };

struct RegionRow {
    Region region;
    MenuItem menuItem;
    char digit;               // first byte of the region block
    std::string_view saved;   // the value remembered in the settings
};

inline constexpr std::array<RegionRow, 3> kRegionTable{{
    {Region::Japan, MenuItem::mnuJapan, '0', "0"},
    {Region::US, MenuItem::mnuUS, '1', "1"},
    {Region::Europe, MenuItem::mnuEURO, '2', "2"},
}};

constexpr const RegionRow& RowOf(Region region) { return kRegionTable[static_cast<std::size_t>(region)]; }

// Where the emulator's flash image keeps its region, and how long that block is.
inline constexpr std::int64_t kRegionBlockOffset = 0x1A002;
inline constexpr std::size_t kRegionBlockLength = 12;
using RegionBlock = std::array<std::uint8_t, kRegionBlockLength>;

// The region digit, then "21Dreamcast", the same for every region.
RegionBlock RegionBlockFor(const RegionRow& row);

inline constexpr std::string_view kFlashFileName = "dc_flash.bin";
inline constexpr std::string_view kRegionSection = "Options";
inline constexpr std::string_view kRegionKey = "DreamcastRegion";

}  // namespace vfe
