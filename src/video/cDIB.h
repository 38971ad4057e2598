#pragma once
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "platform/MessageBoxes.h"
#include "video/BmpHeaders.h"
#include "video/BmpReader.h"

namespace vfe {

// The box for a file that exists but cannot be opened for reading; `errorNumber` is the
// errno of the failed open. A refusal (the file is locked or in use) has its own text.
void ShowOpenFailure(MessageBoxes& messages, int errorNumber, const std::string& filename);

// One device-independent bitmap, held as the two pieces the AVI library asks for: the
// bitmap information block (info header plus colour table or masks) and the pixel bytes.
// Load problems are shown to the user here and answered to the caller with false; a
// failed load keeps the previous bitmap.
class cDIB {
public:
    explicit cDIB(MessageBoxes& messages) : messages_(messages) {}

    bool CreateFromFile(const std::string& filename);
    // The last CreateFromFile failed for want of memory, not for anything in the file: the
    // file may well be a sound bitmap.
    bool LoadLackedMemory() const { return loadLackedMemory_; }
    // A packed bitmap: a 40-byte info header immediately followed by the pixel bytes.
    bool CreateFromPackedDIBPointer(const void* pDIB);
    // The same with the packed bitmap's extent known, so a short block is refused.
    bool CreateFromPackedDIB(std::span<const std::uint8_t> packed);
    // False when nothing is held or the file cannot be written.
    bool WriteToFile(const std::string& filename) const;

    std::int32_t BitCount() const { return InfoHeader.biBitCount; }
    std::int32_t Height() const { return InfoHeader.biHeight; }
    std::int32_t Width() const { return InfoHeader.biWidth; }
    std::int32_t Compression() const { return InfoHeader.biCompression; }
    std::int32_t SizeInfoHeader() const { return InfoHeader.biSize; }
    std::int32_t SizeImage() const { return InfoHeader.biSizeImage; }
    std::int32_t Planes() const { return InfoHeader.biPlanes; }
    std::int32_t ClrImportant() const { return InfoHeader.biClrImportant; }
    std::int32_t ClrUsed() const { return InfoHeader.biClrUsed; }
    std::int32_t XPPM() const { return InfoHeader.biXPelsPerMeter; }
    std::int32_t YPPM() const { return InfoHeader.biYPelsPerMeter; }
    std::int32_t FileType() const { return FileHeader.bfType; }
    std::int32_t SizeFileHeader() const { return FileHeader.bfSize; }
    std::int32_t BitOffset() const { return FileHeader.bfOffBits; }

    // These need a loaded bitmap: before the first load they throw std::out_of_range.
    // Every load replaces the buffers, so take the addresses anew after it.
    const std::uint8_t* PointerToBits() const { return &Bits.at(0); }
    const std::uint8_t* PointerToBitmapInfo() const { return &BitmapInfo.at(0); }
    std::int32_t SizeBitmapInfo() const;

private:
    bool ReadVerifiedFile(std::FILE* file, std::int64_t fileLength);

    MessageBoxes& messages_;
    std::vector<std::uint8_t> Bits;
    std::vector<std::uint8_t> BitmapInfo;
    BmpInfoHeader InfoHeader;
    BmpFileHeader FileHeader;
    BmpContents spare_;  // the buffers of the bitmap held before: the next file is read into them
    bool loadLackedMemory_ = false;
};

}  // namespace vfe
