#include "video/AviFileCheck.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <span>

#include "platform/FileFacts.h"
#include "platform/OpenFile.h"
#include "video/BmpHeaders.h"

namespace vfe {

namespace {

constexpr std::int64_t kChunkHeaderBytes = 8;  // four-character code and size
constexpr std::size_t kTotalFramesOffset = 16;  // in the main header 'avih'
constexpr std::size_t kStreamLengthOffset = 32;  // in the stream header 'strh'
constexpr std::int64_t kIndexEntryBytes = 16;

using FourCC = std::array<char, 4>;

bool Is(const FourCC& code, const char* text) { return std::memcmp(code.data(), text, 4) == 0; }

// Reads the chunks of one AVI file in order; every offset stays below 2 GiB, where the
// C library's seek reaches on every platform.
class ChunkReader {
public:
    explicit ChunkReader(std::FILE* file) : file_(file) {}

    bool ReadCode(FourCC& code) { return std::fread(code.data(), 1, code.size(), file_) == code.size(); }
    bool ReadWord(std::uint32_t& word) {
        std::array<std::uint8_t, 4> bytes{};
        if (std::fread(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return false;
        word = static_cast<std::uint32_t>(LoadLittleEndian32(bytes));
        return true;
    }
    // The 32-bit field at `offset` of a chunk's data that begins at `dataStart`.
    bool ReadField(std::int64_t dataStart, std::size_t offset, std::uint32_t& field) {
        return SeekTo(dataStart + static_cast<std::int64_t>(offset)) && ReadWord(field);
    }
    bool SeekTo(std::int64_t offset) {
        return offset >= 0 && offset <= std::numeric_limits<long>::max() &&
               std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0;
    }

private:
    std::FILE* file_;
};

// Walks the chunks between `begin` and `end`, descending into the header lists, and notes
// the frame counts it finds.
void Walk(ChunkReader& reader, std::int64_t begin, std::int64_t end, AviFileFacts& facts) {
    std::int64_t at = begin;
    while (at + kChunkHeaderBytes <= end) {
        FourCC code{};
        std::uint32_t size = 0;
        if (!reader.SeekTo(at) || !reader.ReadCode(code) || !reader.ReadWord(size)) return;
        const std::int64_t data = at + kChunkHeaderBytes;
        if (data + size > end) return;  // a chunk that runs past its list: the file is cut
        std::uint32_t field = 0;
        if (Is(code, "LIST")) {
            FourCC type{};
            // The frames lie in 'movi', the headers in the other lists.
            if (reader.ReadCode(type) && !Is(type, "movi")) Walk(reader, data + 4, data + size, facts);
        } else if (Is(code, "avih") && facts.declaredFrames < 0 && reader.ReadField(data, kTotalFramesOffset, field)) {
            facts.declaredFrames = field;
        } else if (Is(code, "strh") && facts.streamFrames < 0 && reader.ReadField(data, kStreamLengthOffset, field)) {
            facts.streamFrames = field;
        } else if (Is(code, "idx1") && facts.indexEntries < 0) {
            facts.indexEntries = size / kIndexEntryBytes;
        }
        at = data + size + (size & 1);  // chunks are padded to an even length
    }
}

}  // namespace

AviFileFacts ReadAviFileFacts(const std::string& path) {
    AviFileFacts facts;
    const auto length = FileLength(path);
    // A file of 2 GiB or more is one the library could not finish.
    if (!length || *length > std::numeric_limits<std::int32_t>::max()) return facts;
    const OpenFile file = OpenStream(path, "rb");
    if (!file) return facts;
    ChunkReader reader(file.get());
    FourCC riff{};
    FourCC form{};
    std::uint32_t size = 0;
    if (!reader.ReadCode(riff) || !reader.ReadWord(size) || !reader.ReadCode(form) || !Is(riff, "RIFF") ||
        !Is(form, "AVI "))
        return facts;
    facts.bytesAfterRiff = *length - kChunkHeaderBytes - size;
    Walk(reader, 3 * 4, std::min<std::int64_t>(*length, kChunkHeaderBytes + size), facts);
    return facts;
}

bool IsWholeVideo(const std::string& path, std::int64_t frames) {
    const AviFileFacts facts = ReadAviFileFacts(path);
    return facts.bytesAfterRiff >= 0 && facts.bytesAfterRiff < kAviTailBytes && facts.declaredFrames == frames && facts.streamFrames == frames &&
           facts.indexEntries == frames;
}

}  // namespace vfe
