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

// Reads an open BMP file of `fileLength` bytes into `contents`, into the storage its buffers
// already have: a file of the size read before needs no new memory. Nothing is allocated
// before the headers agree with the file; false when they do not, or when a read fails
// (`contents` may then hold part of the file). `fileHeader` receives the file's first 14
// bytes whenever they could be read.
bool ReadCheckedBmp(std::FILE* file, std::int64_t fileLength, BmpFileHeader& fileHeader, BmpContents& contents);

// The same from a path, silently: nothing when the file is missing, unreadable or untrusted.
std::optional<BmpContents> ReadCheckedBmpFile(const std::string& path);

}  // namespace vfe
