#include "video/BmpReader.h"

#include <memory>
#include <new>
#include <span>

#include "platform/FileFacts.h"
#include "platform/OpenFile.h"

namespace vfe {

namespace {

bool ReadAt(std::FILE* file, std::int64_t offset, std::span<std::uint8_t> target) {
    if (offset < 0 || offset > 0x7FFFFFFF || std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return target.empty() || std::fread(target.data(), 1, target.size(), file) == target.size();
}

}  // namespace

bool ReadCheckedBmp(std::FILE* file, std::int64_t fileLength, BmpFileHeader& fileHeader, BmpContents& contents) {
    std::array<std::uint8_t, kBmpFileHeaderSize> fileBytes{};
    if (!ReadAt(file, 0, fileBytes)) return false;
    fileHeader = UnpackFileHeader(fileBytes);
    if (fileHeader.bfType != kBmpFileType) return false;

    std::array<std::uint8_t, kBmpInfoHeaderSize> infoBytes{};
    if (!ReadAt(file, kBmpFileHeaderSize, infoBytes)) return false;
    const BmpInfoHeader info = UnpackInfoHeader(infoBytes);
    const auto layout = CheckBmpLayout(fileHeader, info, fileLength);
    if (!layout) return false;

    // Same sizes as the last read: no new memory, and no page of it touched twice.
    contents.infoBlock.resize(static_cast<std::size_t>(layout->infoBlockSize));
    contents.bits.resize(static_cast<std::size_t>(layout->imageSize));
    if (!ReadAt(file, kBmpFileHeaderSize, contents.infoBlock) || !ReadAt(file, fileHeader.bfOffBits, contents.bits))
        return false;

    // An image size of 0 (allowed for plain rows) becomes the real one in both copies of the header.
    contents.info = info;
    contents.info.biSizeImage = static_cast<std::int32_t>(layout->imageSize);
    StoreLittleEndian32(std::span<std::uint8_t>(contents.infoBlock).subspan(kBiSizeImageOffset).first<4>(),
                        contents.info.biSizeImage);
    return true;
}

std::optional<BmpContents> ReadCheckedBmpFile(const std::string& path) {
    const auto length = FileLength(path);
    if (!length) return std::nullopt;
    const OpenFile file = OpenStream(path, "rb");
    if (!file) return std::nullopt;
    try {
        BmpFileHeader ignored;
        BmpContents contents;
        if (!ReadCheckedBmp(file.get(), *length, ignored, contents)) return std::nullopt;
        return contents;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace vfe
