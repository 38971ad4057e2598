#pragma once
#include <cstdint>
#include <string>

namespace vfe {

// The AVI file library as the video writer uses it (avifil32 and winmm on Windows).
// Handles are opaque; results are the library's HRESULT-like codes, 0 for success.
using PAVIFILE = struct AviFileObject*;
using PAVISTREAM = struct AviStreamObject*;
using FOURCC = std::uint32_t;
using AviResult = std::int32_t;

inline constexpr std::uint32_t kOF_WRITE = 0x0001;
inline constexpr std::uint32_t kOF_CREATE = 0x1000;
inline constexpr std::uint32_t kICMF_CHOOSE_KEYFRAME = 0x0001;
inline constexpr std::uint32_t kICMF_CHOOSE_DATARATE = 0x0002;
inline constexpr std::uint32_t kAVIIF_KEYFRAME = 0x0010;

struct AviRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const AviRect&, const AviRect&) = default;
};

// The fields of the library's stream information record that the writer sets; every
// other field of the record is 0 and its name is empty.
struct AviStreamInfo {
    FOURCC fccType = 0;
    FOURCC fccHandler = 0;
    std::uint32_t dwScale = 0;
    std::uint32_t dwRate = 0;
    std::uint32_t dwSuggestedBufferSize = 0;
    AviRect rcFrame;
};

// The library's compression options record, field for field. The compression dialog fills
// it; lpFormat and lpParms belong to the library until AVISaveOptionsFree.
struct AviCompressOptions {
    FOURCC fccType = 0;
    FOURCC fccHandler = 0;
    std::uint32_t dwKeyFrameEvery = 0;
    std::uint32_t dwQuality = 0;
    std::uint32_t dwBytesPerSecond = 0;
    std::uint32_t dwFlags = 0;
    void* lpFormat = nullptr;
    std::uint32_t cbFormat = 0;
    void* lpParms = nullptr;
    std::uint32_t cbParms = 0;
    std::uint32_t dwInterleaveEvery = 0;
};

class mAVIDecs {
public:
    virtual ~mAVIDecs() = default;

    virtual void AVIFileInit() = 0;
    // `path` in the system's single-byte code page; no handler class.
    virtual AviResult AVIFileOpen(PAVIFILE* file, const std::string& path, std::uint32_t mode) = 0;
    virtual FOURCC mmioStringToFOURCCA(const std::string& text, std::uint32_t flags) = 0;
    virtual AviResult AVIFileCreateStreamA(PAVIFILE file, PAVISTREAM* stream, const AviStreamInfo& info) = 0;
    // The system's compression dialog, owned by the main window: 1 confirmed, 0 cancelled,
    // anything else an error.
    virtual std::int32_t AVISaveOptions(std::uint32_t flags, std::int32_t streamCount, PAVISTREAM* streams,
                                        AviCompressOptions** options) = 0;
    virtual AviResult AVISaveOptionsFree(std::int32_t streamCount, AviCompressOptions** options) = 0;
    // No handler class.
    virtual AviResult AVIMakeCompressedStream(PAVISTREAM* compressed, PAVISTREAM source,
                                              const AviCompressOptions& options) = 0;
    virtual AviResult AVIStreamSetFormat(PAVISTREAM stream, std::int32_t position, const void* format,
                                         std::int32_t formatSize) = 0;
    // `bytesWritten`, when given, receives the bytes the stream took for the samples (after
    // compression).
    virtual AviResult AVIStreamWrite(PAVISTREAM stream, std::int32_t start, std::int32_t samples, const void* buffer,
                                     std::int32_t bufferSize, std::uint32_t flags, std::int32_t* bytesWritten) = 0;
    virtual std::uint32_t AVIStreamRelease(PAVISTREAM stream) = 0;
    virtual std::uint32_t AVIFileRelease(PAVIFILE file) = 0;
    virtual void AVIFileExit() = 0;

    // The compressor's name as the compression dialog shows it; empty when it cannot be had.
    virtual std::string CompressorName(FOURCC /*handler*/) { return {}; }

    // What of the library cannot be loaded: a library's file name, or that name with one of
    // its functions; empty when every function above can be called. A library linked in
    // with the program has nothing missing.
    virtual std::string MissingPart() { return {}; }
};

}  // namespace vfe
