#include "region/RegionTable.h"

#include <algorithm>

namespace vfe {

RegionBlock RegionBlockFor(const RegionRow& row) {
    constexpr std::string_view kCommonTail = "21Dreamcast";
    static_assert(kCommonTail.size() + 1 == kRegionBlockLength);
    RegionBlock block{};
    block[0] = static_cast<std::uint8_t>(row.digit);
    std::copy(kCommonTail.begin(), kCommonTail.end(), block.begin() + 1);
    return block;
}

}  // namespace vfe
