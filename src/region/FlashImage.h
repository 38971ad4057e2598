#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace vfe {

// Overwrites `bytes` at `offset` of the existing file at `path`, in place: the file is
// opened without creating or truncating it, written in one go, read back and closed.
// Nothing is written unless the open file is exactly `expectedLength` bytes long and
// the bytes lie wholly inside it, so the file never grows. True only when the bytes
// read back as written and the file closed cleanly.
bool OverwriteInPlace(const std::string& path, std::int64_t expectedLength, std::int64_t offset,
                      std::span<const std::uint8_t> bytes);

}  // namespace vfe
