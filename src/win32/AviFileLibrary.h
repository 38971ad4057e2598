#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "video/mAVIDecs.h"
#include "win32/Handles.h"

namespace vfe::win32 {

// The AVI file library of the system (avifil32, winmm) behind the video writer's interface.
// The compression dialog is owned by the window given here. The two libraries are loaded
// when the writer first calls into them, not with the program: with what they pull in
// (ole32, rpcrt4, msacm32, msvfw32) they would be a good part of every start. When one
// cannot be loaded, each call answers as a failed call of the library does.
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
                             std::int32_t bufferSize, std::uint32_t flags, std::int32_t* bytesWritten) override;
    std::uint32_t AVIStreamRelease(PAVISTREAM stream) override;
    std::uint32_t AVIFileRelease(PAVIFILE file) override;
    void AVIFileExit() override;
    std::string CompressorName(FOURCC handler) override;
    std::string MissingPart() override;

private:
    // A system library loaded on first use; the address of one of its functions, or null.
    class LateLibrary {
    public:
        explicit LateLibrary(const char* name) : name_(name) {}
        template <typename Function>
        Function* Get(const char* function) {
            if (!tried_) {
                tried_ = true;
                module_.reset(LoadLibraryA(name_));
            }
            if (!module_) return nullptr;
            return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module_.get(), function)));
        }
        // The library's name, or that name with the first of `functions` it lacks; empty when
        // it has them all.
        std::string Missing(std::span<const char* const> functions) {
            for (const char* function : functions)
                if (!Get<void()>(function)) return module_ ? std::string(name_) + " (" + function + ")" : name_;
            return {};
        }

    private:
        const char* name_;
        bool tried_ = false;
        LoadedModule module_;
    };

    HWND owner_;
    LateLibrary avifil32_{"avifil32.dll"};
    LateLibrary winmm_{"winmm.dll"};
    LateLibrary msvfw32_{"msvfw32.dll"};  // the compressors' names only
};

}  // namespace vfe::win32
