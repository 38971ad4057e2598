#pragma once
#include <utility>

#include "platform/ScopeExit.h"
#include "video/mAVIDecs.h"

namespace vfe {

// The library's use for one save: AVIFileInit now, AVIFileExit at the end, and after it the
// options the user confirmed are freed. Nothing it does on the way out throws.
class AviSession {
public:
    explicit AviSession(mAVIDecs& avi) : avi_(avi) { avi_.AVIFileInit(); }
    ~AviSession() {
        Quietly([&] { avi_.AVIFileExit(); });
        if (optionsConfirmed) Quietly([&] { avi_.AVISaveOptionsFree(1, optionList); });
    }
    AviSession(const AviSession&) = delete;
    AviSession& operator=(const AviSession&) = delete;

    AviCompressOptions options{};
    AviCompressOptions* optionList[1] = {&options};
    bool optionsConfirmed = false;

private:
    mAVIDecs& avi_;
};

// The handles of the video file being written. Letting them go releases the plain stream,
// then the compressed stream, then the file, each only if obtained: the library finishes
// the file then. Nothing it does throws.
class AviFileHandles {
public:
    explicit AviFileHandles(mAVIDecs& avi) : avi_(avi) {}
    ~AviFileHandles() { Release(); }
    AviFileHandles(const AviFileHandles&) = delete;
    AviFileHandles& operator=(const AviFileHandles&) = delete;

    // A compressed stream the compressor refused: another is made for the next try.
    void ReleaseCompressed() noexcept {
        if (compressed) Quietly([&] { avi_.AVIStreamRelease(std::exchange(compressed, nullptr)); });
    }

    void Release() noexcept {
        if (plain) Quietly([&] { avi_.AVIStreamRelease(std::exchange(plain, nullptr)); });
        ReleaseCompressed();
        if (file) Quietly([&] { avi_.AVIFileRelease(std::exchange(file, nullptr)); });
    }

    PAVIFILE file = nullptr;
    PAVISTREAM plain = nullptr;
    PAVISTREAM compressed = nullptr;

private:
    mAVIDecs& avi_;
};

}  // namespace vfe
