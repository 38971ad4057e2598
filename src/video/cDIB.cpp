#include "video/cDIB.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>

#include "platform/FileFacts.h"
#include "platform/OpenFile.h"
#include "video/BmpFile.h"
#include "video/BmpReader.h"

namespace vfe {

namespace {

void ShowFileMessage(MessageBoxes& messages, const std::string& text, const std::string& filename, unsigned icon) {
    messages.Show(text + "\r\n" + filename, kApplicationTitle, MsgBox::OkOnly | icon);
}

}  // namespace

void ShowOpenFailure(MessageBoxes& messages, int errorNumber, const std::string& filename) {
    if (errorNumber == EACCES)
        ShowFileMessage(messages, "File is locked - cannot access:", filename, MsgBox::Critical);
    else
        messages.Show(std::strerror(errorNumber), kApplicationTitle, MsgBox::OkOnly | MsgBox::Information);
}

bool cDIB::CreateFromFile(const std::string& filename) {
    loadLackedMemory_ = false;
    if (!IsRegularFile(filename)) {
        ShowFileMessage(messages_, "File does not exist:", filename, MsgBox::Critical);
        return false;
    }
    errno = 0;
    const OpenFile file = OpenStream(filename, "rb");
    if (!file) {
        ShowOpenFailure(messages_, errno, filename);
        return false;
    }
    try {
        const auto length = FileLength(filename);
        if (length && ReadVerifiedFile(file.get(), *length)) return true;
    } catch (const std::bad_alloc&) {
        loadLackedMemory_ = true;
        messages_.Show(std::strerror(ENOMEM), kApplicationTitle, MsgBox::OkOnly | MsgBox::Information);
        return false;
    }
    ShowFileMessage(messages_, "File is not a supported bitmap format:", filename, MsgBox::Information);
    return false;
}

// The file is read into the spare buffers; the held bitmap changes only when the whole
// file was read and found sound, and then the two swap, so the next file of the same
// size is read into storage that is already there.
bool cDIB::ReadVerifiedFile(std::FILE* file, std::int64_t fileLength) {
    // Like a file of the wrong type, a rejected file leaves its file header visible.
    if (!ReadCheckedBmp(file, fileLength, FileHeader, spare_)) return false;
    InfoHeader = spare_.info;
    Bits.swap(spare_.bits);
    BitmapInfo.swap(spare_.infoBlock);
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
