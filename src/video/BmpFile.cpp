#include "video/BmpFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <vector>

#include "platform/OpenFile.h"

namespace vfe {

namespace {

bool WriteBlock(std::FILE* file, std::span<const std::uint8_t> block) {
    return block.empty() || std::fwrite(block.data(), 1, block.size(), file) == block.size();
}

bool WriteHeaderAndPixels(const std::string& path, std::span<const std::uint8_t> headerBlock,
                          std::span<const std::uint8_t> bits) {
    OpenFile file = OpenStream(path, "wb");
    if (!file) return false;
    bool written = WriteBlock(file.get(), headerBlock) && WriteBlock(file.get(), bits);
    written = CloseStream(std::move(file)) && written;
    if (!written) {
        const int reason = errno;  // the write's, not the clean-up's
        std::remove(path.c_str());
        errno = reason;
    }
    return written;
}

std::vector<std::uint8_t> HeaderBlock(const BmpFileHeader& fileHeader, std::span<const std::uint8_t> bitmapInfo) {
    std::vector<std::uint8_t> block(kBmpFileHeaderSize + bitmapInfo.size());
    const auto packed = PackFileHeader(fileHeader);
    std::copy(packed.begin(), packed.end(), block.begin());
    std::copy(bitmapInfo.begin(), bitmapInfo.end(), block.begin() + kBmpFileHeaderSize);
    return block;
}

}  // namespace

bool WriteBmpFile(const std::string& path, const BmpFileHeader& fileHeader, std::span<const std::uint8_t> bitmapInfo,
                  std::span<const std::uint8_t> bits) {
    return WriteHeaderAndPixels(path, HeaderBlock(fileHeader, bitmapInfo), bits);
}

bool WriteBmpFile(const std::string& path, std::span<const std::uint8_t> bitmapInfo,
                  std::span<const std::uint8_t> bits) {
    const std::uint64_t headerBytes = kBmpFileHeaderSize + bitmapInfo.size();
    const std::uint64_t fileBytes = headerBytes + bits.size();
    if (bitmapInfo.size() < kBmpInfoHeaderSize || fileBytes > std::numeric_limits<std::int32_t>::max()) return false;

    BmpFileHeader fileHeader;
    fileHeader.bfType = kBmpFileType;
    fileHeader.bfSize = static_cast<std::int32_t>(fileBytes);
    fileHeader.bfOffBits = static_cast<std::int32_t>(headerBytes);
    auto block = HeaderBlock(fileHeader, bitmapInfo);
    StoreLittleEndian32(std::span<std::uint8_t>(block).subspan(kBmpFileHeaderSize + kBiSizeImageOffset).first<4>(),
                        static_cast<std::int32_t>(bits.size()));
    return WriteHeaderAndPixels(path, block, bits);
}

bool ReplaceWithBmpFile(FileReplace& files, const std::string& path, std::span<const std::uint8_t> bitmapInfo,
                        std::span<const std::uint8_t> bits) {
    const std::string written = path + ".part";
    if (!WriteBmpFile(written, bitmapInfo, bits)) return false;  // a half-written one is removed
    if (files.Replace(written, path)) return true;
    std::remove(written.c_str());
    return false;
}

}  // namespace vfe
