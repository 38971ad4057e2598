#pragma once
#include <windows.h>

#include "video/mAVIDecs.h"

namespace vfe::win32 {

// The AVI file library of the system (avifil32, winmm) behind the video writer's interface.
// The compression dialog is owned by the window given here.
class AviFileLibrary final : public mAVIDecs {
public:
    explicit AviFileLibrary(HWND owner) : owner_(owner) {}

    void AVIFileInit() override;
    AviResult AVIFileOpen(PAVIFILE* file, const std::string& path, std::uint32_t mode) override;
    FOURCC mmioStringToFOURCCA(const std::string& text, std::uint32_t flags) override;
    AviResult AVIFileCreateStreamA(PAVIFILE file, PAVISTREAM* stream, const AviStreamInfo& info) override;
    std::int32_t AVISaveOptions(std::uint32_t flags, std::int32_t streamCount, PAVISTREAM* streams,
                                AviCompressOptions** options) override;
    AviResult AVISaveOptionsFree(std::int32_t streamCount, AviCompressOptions** options) override;
    AviResult AVIMakeCompressedStream(PAVISTREAM* compressed, PAVISTREAM source,
                                      const AviCompressOptions& options) override;
    AviResult AVIStreamSetFormat(PAVISTREAM stream, std::int32_t position, const void* format,
                                 std::int32_t formatSize) override;
    AviResult AVIStreamWrite(PAVISTREAM stream, std::int32_t start, std::int32_t samples, const void* buffer,
                             std::int32_t bufferSize, std::uint32_t flags) override;
    std::uint32_t AVIStreamRelease(PAVISTREAM stream) override;
    std::uint32_t AVIFileRelease(PAVIFILE file) override;
    void AVIFileExit() override;

private:
    HWND owner_;
};

}  // namespace vfe::win32
