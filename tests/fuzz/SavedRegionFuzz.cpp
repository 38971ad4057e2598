// Fuzz target: the region a remembered "DreamcastRegion" value names, read at every start
// from a store anyone can edit. Beyond "no crash" it checks the rule against a plain
// reading of it: blanks around a decimal whole number of 16 bits are ignored, 1 is US,
// 2 is Europe, and everything else (including no value at all) is Japan.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "region/SavedRegion.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& value) {
    std::fprintf(stderr, "saved region fuzz: %s for \"%s\"\n", what, value.c_str());
    std::abort();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

vfe::Region Expected(const std::string& value) {
    std::size_t begin = 0, end = value.size();
    while (begin < end && IsBlank(value[begin])) ++begin;
    while (end > begin && IsBlank(value[end - 1])) --end;
    bool negative = false;
    if (begin < end && value[begin] == '-') {
        negative = true;
        ++begin;
    }
    if (begin == end) return vfe::Region::Japan;
    long number = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (value[i] < '0' || value[i] > '9') return vfe::Region::Japan;
        number = std::min(number * 10 + (value[i] - '0'), 100000L);
    }
    if (negative) number = -number;
    if (number < INT16_MIN || number > INT16_MAX) return vfe::Region::Japan;
    return number == 1 ? vfe::Region::US : number == 2 ? vfe::Region::Europe : vfe::Region::Japan;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string value(reinterpret_cast<const char*>(data), size);
    const vfe::Region region = vfe::RegionForSavedValue(value);
    if (region != vfe::Region::Japan && region != vfe::Region::US && region != vfe::Region::Europe)
        Fail("not a region", value);
    if (region != Expected(value)) Fail("another region than the rule gives", value);
    if (vfe::RegionForSavedValue(" \t" + value + "\r\n") != region) Fail("blanks around it changed the region", value);
    if (vfe::RegionForSavedValue(std::nullopt) != vfe::Region::Japan) Fail("no value is not Japan", value);
    return 0;
}
