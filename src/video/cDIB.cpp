#include "video/cDIB.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>

#include "platform/FileLength.h"
#include "video/BmpFile.h"

namespace vfe {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void ShowFileMessage(MessageBoxes& messages, const std::string& text, const std::string& filename, unsigned icon) {
    messages.Show(text + "\r\n" + filename, kApplicationTitle, MsgBox::OkOnly | icon);
}

bool ReadAt(std::FILE* file, std::int64_t offset, std::span<std::uint8_t> target) {
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return target.empty() || std::fread(target.data(), 1, target.size(), file) == target.size();
}

}  // namespace

bool cDIB::FileExists(const std::string& path) const { return FileLength(path).has_value(); }

void ShowOpenFailure(MessageBoxes& messages, int errorNumber, const std::string& filename) {
    if (errorNumber == EACCES)
        ShowFileMessage(messages, "File is locked - cannot access:", filename, MsgBox::Critical);
    else
        messages.Show(std::strerror(errorNumber), kApplicationTitle, MsgBox::OkOnly | MsgBox::Information);
}

bool cDIB::CreateFromFile(const std::string& filename) {
    if (!FileExists(filename)) {
        ShowFileMessage(messages_, "File does not exist:", filename, MsgBox::Critical);
        return false;
    }
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(filename.c_str(), "rb"));
    if (!file) {
        ShowOpenFailure(messages_, errno, filename);
        return false;
    }
    try {
        const auto length = FileLength(filename);
        if (length && ReadVerifiedFile(file.get(), *length)) return true;
    } catch (const std::bad_alloc&) {
        messages_.Show(std::strerror(ENOMEM), kApplicationTitle, MsgBox::OkOnly | MsgBox::Information);
        return false;
    }
    ShowFileMessage(messages_, "File is not a supported bitmap format:", filename, MsgBox::Information);
    return false;
}

// Reads the headers, checks every field against the file, and only then allocates and
// reads the two blocks. The held bitmap changes only when everything was read.
bool cDIB::ReadVerifiedFile(std::FILE* file, std::int64_t fileLength) {
    std::array<std::uint8_t, kBmpFileHeaderSize> fileBytes{};
    if (!ReadAt(file, 0, fileBytes)) return false;
    // Like a file of the wrong type, a rejected file leaves its file header visible.
    FileHeader = UnpackFileHeader(fileBytes);
    if (FileHeader.bfType != kBmpFileType) return false;

    std::array<std::uint8_t, kBmpInfoHeaderSize> infoBytes{};
    if (!ReadAt(file, kBmpFileHeaderSize, infoBytes)) return false;
    BmpInfoHeader info = UnpackInfoHeader(infoBytes);
    const auto layout = CheckBmpLayout(FileHeader, info, fileLength);
    if (!layout) return false;

    std::vector<std::uint8_t> infoBlock(static_cast<std::size_t>(layout->infoBlockSize));
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(layout->imageSize));
    if (!ReadAt(file, kBmpFileHeaderSize, infoBlock) || !ReadAt(file, FileHeader.bfOffBits, bits)) return false;

    // An image size of 0 (allowed for plain rows) becomes the real one in both copies of the header.
    info.biSizeImage = static_cast<std::int32_t>(layout->imageSize);
    StoreLittleEndian32(std::span<std::uint8_t>(infoBlock).subspan(kBiSizeImageOffset).first<4>(), info.biSizeImage);

    InfoHeader = info;
    Bits = std::move(bits);
    BitmapInfo = std::move(infoBlock);
    return true;
}

bool cDIB::CreateFromPackedDIBPointer(const void* pDIB) {
    if (pDIB == nullptr) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(pDIB);
    const BmpInfoHeader header = UnpackInfoHeader(std::span<const std::uint8_t, kBmpInfoHeaderSize>(bytes, kBmpInfoHeaderSize));
    const std::size_t imageSize = header.biSizeImage > 0 ? static_cast<std::size_t>(header.biSizeImage) : 0;
    return CreateFromPackedDIB(std::span<const std::uint8_t>(bytes, kBmpInfoHeaderSize + imageSize));
}

bool cDIB::CreateFromPackedDIB(std::span<const std::uint8_t> packed) {
    if (packed.size() < kBmpInfoHeaderSize) return false;
    // A refused header is not kept: it would describe pixels the buffers do not hold.
    const BmpInfoHeader header = UnpackInfoHeader(packed.first<kBmpInfoHeaderSize>());
    if (header.biBitCount < 16 || header.biSizeImage < 1) return false;
    const auto imageSize = static_cast<std::size_t>(header.biSizeImage);
    if (packed.size() - kBmpInfoHeaderSize < imageSize) return false;
    const std::int64_t fileSize = static_cast<std::int64_t>(kBmpFileHeaderSize + kBmpInfoHeaderSize) + header.biSizeImage;
    if (fileSize > std::numeric_limits<std::int32_t>::max()) return false;

    try {
        // Any colour masks behind the header are taken as pixels: the pixel data is
        // taken to follow the header directly.
        const auto pixels = packed.subspan(kBmpInfoHeaderSize, imageSize);
        std::vector<std::uint8_t> bits(pixels.begin(), pixels.end());
        const auto headerBytes = PackInfoHeader(header);
        std::vector<std::uint8_t> infoBlock(headerBytes.begin(), headerBytes.end());
        Bits = std::move(bits);
        BitmapInfo = std::move(infoBlock);
    } catch (const std::bad_alloc&) {
        return false;
    }
    InfoHeader = header;
    FileHeader = {kBmpFileType, static_cast<std::int32_t>(fileSize), 0, 0,
                  static_cast<std::int32_t>(kBmpFileHeaderSize + kBmpInfoHeaderSize)};
    return true;
}

bool cDIB::WriteToFile(const std::string& filename) const {
    if (BitmapInfo.empty()) return false;
    return WriteBmpFile(filename, FileHeader, BitmapInfo, Bits);
}

std::int32_t cDIB::SizeBitmapInfo() const {
    if (BitmapInfo.empty()) throw std::out_of_range("no bitmap loaded");
    return static_cast<std::int32_t>(BitmapInfo.size());
}

}  // namespace vfe
