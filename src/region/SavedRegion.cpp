#include "region/SavedRegion.h"

#include <charconv>
#include <cstdint>

namespace vfe {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::optional<std::int16_t> WholeNumber(std::string_view text) {
    std::int16_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

Region RegionForSavedValue(const std::optional<std::string>& saved) {
    if (!saved) return Region::Japan;
    const auto number = WholeNumber(TrimBlanks(*saved));
    if (!number) return Region::Japan;
    switch (*number) {
        case 1: return Region::US;
        case 2: return Region::Europe;
        default: return Region::Japan;
    }
}

}  // namespace vfe
