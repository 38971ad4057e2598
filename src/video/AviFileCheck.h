#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace vfe {

// What a finished AVI file says of itself: its RIFF header against its length, and the
// frames its headers and its index count.
struct AviFileFacts {
    std::int64_t bytesAfterRiff = -1;  // the file's length less the RIFF chunk's (header and size field)
    std::int64_t declaredFrames = -1;  // the main header's frame count
    std::int64_t streamFrames = -1;    // the video stream header's length
    std::int64_t indexEntries = -1;    // entries of the index
};

// Reads the facts of the AVI file at `path`; what cannot be found stays at its default.
AviFileFacts ReadAviFileFacts(const std::string& path);

// Bytes the library may leave behind the RIFF chunk: Wine's leaves 20 zero bytes there.
inline constexpr std::int64_t kAviTailBytes = 2048;

// What the writer knows of one frame it put into a video file: the bytes the library said it
// took for it and, for a stream that stores the frames as they are, their fingerprint.
struct FrameInVideo {
    std::int64_t bytes = 0;
    std::optional<std::uint64_t> fingerprint;
};

// The library finished the file whole, holding exactly these frames:
//  - its RIFF chunk ends where the file does (within the library's few bytes of tail);
//  - its main header, its stream header and its index count the frames;
//  - each index entry names a chunk of the video stream inside the frames' list, whose header
//    carries the size the entry gives, which is the size the library took for that frame;
//  - where a fingerprint is known, the chunk's bytes have it.
// The library reports neither a disk that took only part of the file, nor a write that left
// zeros, nor a file it stopped at 2 GiB, so only the file itself can show that it took everything.
// `betweenFrames`, when given, runs after each frame's check.
bool IsWholeVideo(const std::string& path, std::span<const FrameInVideo> frames,
                  const std::function<void()>& betweenFrames = {});

// The same for a file of `frames` frames whose sizes are not known: the index and the chunks
// must agree with each other.
bool IsWholeVideo(const std::string& path, std::int64_t frames);

}  // namespace vfe
