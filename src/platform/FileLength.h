#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vfe {

// Length in bytes of the regular file at `path`; nothing when it cannot be read
// (missing, unreachable, or not a file).
std::optional<std::int64_t> FileLength(const std::string& path);

}  // namespace vfe
