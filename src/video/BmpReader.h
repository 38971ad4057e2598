#pragma once
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "video/BmpHeaders.h"

namespace vfe {

// A BMP file's contents once every header field was checked against the file.
struct BmpContents {
    BmpInfoHeader info;                   // biSizeImage is the real pixel size, also when the file said 0
    std::vector<std::uint8_t> infoBlock;  // info header plus colour table or masks, up to the pixels
    std::vector<std::uint8_t> bits;
};

// Reads an open BMP file of `fileLength` bytes. Nothing is allocated before the headers
// agree with the file; nothing comes back when they do not. `fileHeader` receives the
// file's first 14 bytes whenever they could be read.
std::optional<BmpContents> ReadCheckedBmp(std::FILE* file, std::int64_t fileLength, BmpFileHeader& fileHeader);

// The same from a path, silently: nothing when the file is missing, unreadable or untrusted.
std::optional<BmpContents> ReadCheckedBmpFile(const std::string& path);

}  // namespace vfe
