#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "platform/FileReplace.h"
#include "video/BmpHeaders.h"

namespace vfe {

// Writes a BMP file: the file header and the bitmap information block in one write, the
// pixel bytes in a second. An existing file is cut to the new content. False when the file
// cannot be opened or written (errno then says why); a half-written file is removed again.
bool WriteBmpFile(const std::string& path, const BmpFileHeader& fileHeader, std::span<const std::uint8_t> bitmapInfo,
                  std::span<const std::uint8_t> bits);

// The same for freshly made pixels: the file header is made for these two blocks and
// biSizeImage is set to the number of pixel bytes.
bool WriteBmpFile(const std::string& path, std::span<const std::uint8_t> bitmapInfo,
                  std::span<const std::uint8_t> bits);

// The same, for a file whose older copy must survive a failed write: written under a
// temporary name beside it ("<path>.part"), and put in its place by `files` only once
// complete; when that fails, the temporary file goes again.
bool ReplaceWithBmpFile(FileReplace& files, const std::string& path, std::span<const std::uint8_t> bitmapInfo,
                        std::span<const std::uint8_t> bits);

}  // namespace vfe
