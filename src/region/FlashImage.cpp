#include "region/FlashImage.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/FileFacts.h"
#include "platform/OpenFile.h"

namespace vfe {

namespace {

bool SeekTo(std::FILE* file, std::int64_t offset) {
    // Offsets of interest fit a long on every platform we build for (the file is 128 KiB).
    if (offset < 0 || offset > 0x7FFFFFFF) return false;
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}

bool HasLength(std::FILE* file, std::int64_t expectedLength) {
    if (std::fseek(file, 0, SEEK_END) != 0) return false;
    return std::ftell(file) == expectedLength;
}

bool WriteAt(std::FILE* file, std::int64_t offset, std::span<const std::uint8_t> bytes) {
    return SeekTo(file, offset) && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
           std::fflush(file) == 0;
}

bool ReadsBackAs(std::FILE* file, std::int64_t offset, std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> readBack(bytes.size());
    return SeekTo(file, offset) && std::fread(readBack.data(), 1, readBack.size(), file) == readBack.size() &&
           std::equal(readBack.begin(), readBack.end(), bytes.begin());
}

}  // namespace

bool OverwriteInPlace(const std::string& path, std::int64_t expectedLength, std::int64_t offset,
                      std::span<const std::uint8_t> bytes) {
    const bool fitsInside = offset >= 0 && static_cast<std::int64_t>(bytes.size()) <= expectedLength - offset;
    if (!fitsInside) return false;

    if (IsMarkedReadOnly(path)) return false;
    OpenFile file = OpenStream(path, "r+b");  // existing file only; never created or truncated
    if (!file) return false;
    // Unbuffered, so the block goes to the system as one write and its failure shows here.
    if (std::setvbuf(file.get(), nullptr, _IONBF, 0) != 0) return false;

    // The length is checked again on the open file: it may have changed since it was looked at.
    const bool patched = HasLength(file.get(), expectedLength) && WriteAt(file.get(), offset, bytes) &&
                         ReadsBackAs(file.get(), offset, bytes);
    const bool closed = CloseStream(std::move(file));
    return patched && closed;
}

}  // namespace vfe
