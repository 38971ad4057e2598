#pragma once
#include <cstdint>

namespace vfe {

// A top-level window of any process; 0 means "no window".
using WindowHandle = std::uintptr_t;

// The platform's window show codes.
namespace ShowCode {
constexpr std::int16_t Normal = 1;
constexpr std::int16_t Minimized = 2;
constexpr std::int16_t Maximized = 3;
}  // namespace ShowCode

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace vfe
