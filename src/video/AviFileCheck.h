#pragma once
#include <cstdint>
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

// The library finished the file whole, with exactly `frames` frames: its RIFF chunk ends
// where the file does (or within the library's few bytes of tail), and its headers and
// index count `frames`. The library reports neither a disk that took only part of the file
// nor a file it stopped at 2 GiB (its RIFF size is then far off), so only the file itself
// can show that it took everything.
bool IsWholeVideo(const std::string& path, std::int64_t frames);

}  // namespace vfe
