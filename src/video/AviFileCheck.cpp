#include "video/AviFileCheck.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/FileFacts.h"
#include "platform/OpenFile.h"
#include "video/BmpHeaders.h"
#include "video/FrameFingerprint.h"

namespace vfe {

namespace {

constexpr std::int64_t kChunkHeaderBytes = 8;    // four-character code and size
constexpr std::size_t kTotalFramesOffset = 16;   // in the main header 'avih'
constexpr std::size_t kStreamLengthOffset = 32;  // in the stream header 'strh'
constexpr std::size_t kIndexEntryBytes = 16;     // code, flags, offset, size
constexpr std::size_t kIndexEntriesPerRead = 4096;

using FourCC = std::array<char, 4>;

bool Is(const FourCC& code, const char* text) { return std::memcmp(code.data(), text, 4) == 0; }

// The chunks of the first stream: "00db" for frames stored as they are, "00dc" compressed.
bool IsVideoChunk(const FourCC& code) { return Is(code, "00db") || Is(code, "00dc"); }

std::uint32_t Word(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(LoadLittleEndian32(std::span<const std::uint8_t, 4>(bytes, 4)));
}

// Reads one AVI file at given offsets; every offset stays below 2 GiB, where the C library's
// seek reaches on every platform.
class AviReader {
public:
    explicit AviReader(std::FILE* file) : file_(file) {}

    bool ReadAt(std::int64_t offset, std::span<std::uint8_t> into) {
        return offset >= 0 && offset <= std::numeric_limits<long>::max() &&
               std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0 &&
               std::fread(into.data(), 1, into.size(), file_) == into.size();
    }
    bool ReadCode(std::int64_t offset, FourCC& code) {
        return ReadAt(offset, std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(code.data()), code.size()));
    }
    bool ReadWord(std::int64_t offset, std::uint32_t& word) {
        std::array<std::uint8_t, 4> bytes{};
        if (!ReadAt(offset, bytes)) return false;
        word = Word(bytes.data());
        return true;
    }

private:
    std::FILE* file_;
};

struct Chunk {
    FourCC code{};
    std::int64_t data = 0;  // offset of its data, behind the header
    std::uint32_t size = 0;
    std::int64_t End() const { return data + size; }
};

// Calls `visit` with each chunk that lies whole between `begin` and `end`, in order; a chunk
// that runs past `end` (a file cut short) ends the walk. Lists are not entered here: a caller
// descends only into the lists it reads, so no file can make the walk go deeper.
template <typename Visit>
void ForEachChunk(AviReader& reader, std::int64_t begin, std::int64_t end, Visit visit) {
    for (std::int64_t at = begin; at + kChunkHeaderBytes <= end;) {
        Chunk chunk;
        if (!reader.ReadCode(at, chunk.code) || !reader.ReadWord(at + 4, chunk.size)) return;
        chunk.data = at + kChunkHeaderBytes;
        if (chunk.End() > end) return;
        visit(chunk);
        at = chunk.End() + (chunk.size & 1);  // chunks are padded to an even length
    }
}

bool IsList(AviReader& reader, const Chunk& chunk, const char* type) {
    FourCC listType{};
    return Is(chunk.code, "LIST") && chunk.size >= 4 && reader.ReadCode(chunk.data, listType) && Is(listType, type);
}

// Where the parts of an AVI file lie, and what its headers count.
struct AviLayout {
    AviFileFacts facts;
    std::int64_t moviList = -1;  // offset of the frames' list type 'movi': index offsets count from it
    std::int64_t moviEnd = -1;
    Chunk index;                 // 'idx1'; size 0 when there is none
};

AviLayout ReadLayout(AviReader& reader, std::int64_t length) {
    AviLayout layout;
    FourCC riff{};
    FourCC form{};
    std::uint32_t size = 0;
    if (!reader.ReadCode(0, riff) || !reader.ReadWord(4, size) || !reader.ReadCode(8, form) || !Is(riff, "RIFF") ||
        !Is(form, "AVI "))
        return layout;
    auto& facts = layout.facts;
    facts.bytesAfterRiff = length - kChunkHeaderBytes - size;
    const auto readCount = [&](const Chunk& chunk, std::size_t offset, std::int64_t& count) {
        std::uint32_t field = 0;
        if (count < 0 && chunk.size >= offset + 4 && reader.ReadWord(chunk.data + static_cast<std::int64_t>(offset), field))
            count = field;
    };
    const auto readStreamList = [&](const Chunk& chunk) {
        if (Is(chunk.code, "strh")) readCount(chunk, kStreamLengthOffset, facts.streamFrames);
    };
    const auto readHeaderList = [&](const Chunk& chunk) {
        if (Is(chunk.code, "avih")) readCount(chunk, kTotalFramesOffset, facts.declaredFrames);
        if (IsList(reader, chunk, "strl")) ForEachChunk(reader, chunk.data + 4, chunk.End(), readStreamList);
    };
    ForEachChunk(reader, 12, std::min<std::int64_t>(length, kChunkHeaderBytes + size), [&](const Chunk& chunk) {
        if (IsList(reader, chunk, "hdrl")) {
            ForEachChunk(reader, chunk.data + 4, chunk.End(), readHeaderList);
        } else if (IsList(reader, chunk, "movi") && layout.moviList < 0) {
            layout.moviList = chunk.data;
            layout.moviEnd = chunk.End();
        } else if (Is(chunk.code, "idx1") && facts.indexEntries < 0) {
            facts.indexEntries = chunk.size / kIndexEntryBytes;
            layout.index = chunk;
        }
    });
    return layout;
}

struct IndexEntry {
    FourCC code{};
    std::int64_t offset = 0;
    std::uint32_t size = 0;
};

// Walks the index against the chunks it names and the frames the writer put in.
class IndexCheck {
public:
    IndexCheck(AviReader& reader, const AviLayout& layout) : reader_(reader), layout_(layout) {}

    bool Check(std::int64_t frames, std::span<const FrameInVideo> expected, const std::function<void()>& betweenFrames) {
        std::vector<std::uint8_t> entries;
        for (std::int64_t first = 0; first < frames; first += kIndexEntriesPerRead) {
            const auto count = static_cast<std::size_t>(std::min<std::int64_t>(kIndexEntriesPerRead, frames - first));
            entries.resize(count * kIndexEntryBytes);
            if (!reader_.ReadAt(layout_.index.data + first * static_cast<std::int64_t>(kIndexEntryBytes), entries))
                return false;
            for (std::size_t i = 0; i < count; ++i) {
                const auto frame = static_cast<std::size_t>(first) + i;
                if (!CheckEntry(Entry(entries.data() + i * kIndexEntryBytes),
                                frame < expected.size() ? &expected[frame] : nullptr))
                    return false;
                if (betweenFrames) betweenFrames();
            }
        }
        return true;
    }

private:
    static IndexEntry Entry(const std::uint8_t* bytes) {
        IndexEntry entry;
        std::memcpy(entry.code.data(), bytes, 4);
        entry.offset = Word(bytes + 8);
        entry.size = Word(bytes + 12);
        return entry;
    }

    bool CheckEntry(const IndexEntry& entry, const FrameInVideo* frame) {
        if (!IsVideoChunk(entry.code)) return false;
        if (frame && entry.size != frame->bytes) return false;
        // Offsets count from the frames' list; some writers give them from the file's start.
        if (!base_) {
            for (const std::int64_t base : {layout_.moviList, std::int64_t{0}})
                if (ChunkMatches(base + entry.offset, entry)) base_ = base;
            if (!base_) return false;
        }
        const std::int64_t at = *base_ + entry.offset;
        if (!ChunkMatches(at, entry)) return false;
        return !frame || !frame->fingerprint || Fingerprint(at + kChunkHeaderBytes, entry.size) == *frame->fingerprint;
    }

    // The entry names a chunk of its code and size that lies inside the frames' list.
    bool ChunkMatches(std::int64_t at, const IndexEntry& entry) {
        if (at < layout_.moviList + 4 || at + kChunkHeaderBytes + entry.size > layout_.moviEnd) return false;
        Chunk chunk;
        return reader_.ReadCode(at, chunk.code) && reader_.ReadWord(at + 4, chunk.size) && chunk.code == entry.code &&
               chunk.size == entry.size;
    }

    std::optional<std::uint64_t> Fingerprint(std::int64_t at, std::uint32_t size) {
        bytes_.resize(size);
        if (!reader_.ReadAt(at, bytes_)) return std::nullopt;
        return FrameFingerprint(bytes_);
    }

    AviReader& reader_;
    const AviLayout& layout_;
    std::optional<std::int64_t> base_;
    std::vector<std::uint8_t> bytes_;  // one frame's chunk at a time
};

// The file's layout and, for `frames` frames, whether it holds them whole.
bool CheckVideo(const std::string& path, std::int64_t frames, std::span<const FrameInVideo> expected,
                const std::function<void()>& betweenFrames, AviFileFacts* facts = nullptr) {
    const auto length = FileLength(path);
    // A file of 2 GiB or more is one the library could not finish.
    if (!length || *length > std::numeric_limits<std::int32_t>::max()) return false;
    const OpenFile file = OpenStream(path, "rb");
    if (!file) return false;
    AviReader reader(file.get());
    const AviLayout layout = ReadLayout(reader, *length);
    if (facts) *facts = layout.facts;
    const AviFileFacts& found = layout.facts;
    return found.bytesAfterRiff >= 0 && found.bytesAfterRiff < kAviTailBytes && found.declaredFrames == frames &&
           found.streamFrames == frames && found.indexEntries == frames && layout.moviList >= 0 &&
           IndexCheck(reader, layout).Check(frames, expected, betweenFrames);
}

}  // namespace

AviFileFacts ReadAviFileFacts(const std::string& path) {
    AviFileFacts facts;
    CheckVideo(path, -1, {}, {}, &facts);
    return facts;
}

bool IsWholeVideo(const std::string& path, std::span<const FrameInVideo> frames,
                  const std::function<void()>& betweenFrames) {
    return CheckVideo(path, static_cast<std::int64_t>(frames.size()), frames, betweenFrames);
}

bool IsWholeVideo(const std::string& path, std::int64_t frames) { return CheckVideo(path, frames, {}, {}); }

}  // namespace vfe
