#include "win32/AviFileLibrary.h"

#include <vfw.h>

#include <vector>

// vfw.h maps this name to its ANSI or wide form; here it is our interface's method.
#undef AVIFileOpen

namespace vfe::win32 {

namespace {

::PAVIFILE Native(vfe::PAVIFILE file) { return reinterpret_cast<::PAVIFILE>(file); }
::PAVISTREAM Native(vfe::PAVISTREAM stream) { return reinterpret_cast<::PAVISTREAM>(stream); }
vfe::PAVIFILE Ours(::PAVIFILE file) { return reinterpret_cast<vfe::PAVIFILE>(file); }
vfe::PAVISTREAM Ours(::PAVISTREAM stream) { return reinterpret_cast<vfe::PAVISTREAM>(stream); }

AVICOMPRESSOPTIONS Native(const AviCompressOptions& options) {
    AVICOMPRESSOPTIONS native{};
    native.fccType = options.fccType;
    native.fccHandler = options.fccHandler;
    native.dwKeyFrameEvery = options.dwKeyFrameEvery;
    native.dwQuality = options.dwQuality;
    native.dwBytesPerSecond = options.dwBytesPerSecond;
    native.dwFlags = options.dwFlags;
    native.lpFormat = options.lpFormat;
    native.cbFormat = options.cbFormat;
    native.lpParms = options.lpParms;
    native.cbParms = options.cbParms;
    native.dwInterleaveEvery = options.dwInterleaveEvery;
    return native;
}

void CopyBack(const AVICOMPRESSOPTIONS& native, AviCompressOptions& options) {
    options.fccType = native.fccType;
    options.fccHandler = native.fccHandler;
    options.dwKeyFrameEvery = native.dwKeyFrameEvery;
    options.dwQuality = native.dwQuality;
    options.dwBytesPerSecond = native.dwBytesPerSecond;
    options.dwFlags = native.dwFlags;
    options.lpFormat = native.lpFormat;
    options.cbFormat = native.cbFormat;
    options.lpParms = native.lpParms;
    options.cbParms = native.cbParms;
    options.dwInterleaveEvery = native.dwInterleaveEvery;
}

// The library works on arrays of option records and pointers to them; ours are copied in
// and the library's changes copied back.
class NativeOptionList {
public:
    NativeOptionList(std::int32_t count, AviCompressOptions** options)
        : ours_(options), records_(static_cast<std::size_t>(count)), list_(static_cast<std::size_t>(count)) {
        for (std::size_t i = 0; i < records_.size(); ++i) {
            records_[i] = Native(*ours_[i]);
            list_[i] = &records_[i];
        }
    }
    ~NativeOptionList() {
        for (std::size_t i = 0; i < records_.size(); ++i) CopyBack(records_[i], *ours_[i]);
    }
    NativeOptionList(const NativeOptionList&) = delete;
    NativeOptionList& operator=(const NativeOptionList&) = delete;
    LPAVICOMPRESSOPTIONS* get() { return list_.data(); }

private:
    AviCompressOptions** ours_;
    std::vector<AVICOMPRESSOPTIONS> records_;
    std::vector<LPAVICOMPRESSOPTIONS> list_;
};

// What a call answers when its library could not be loaded (HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)).
constexpr AviResult kLibraryMissing = static_cast<AviResult>(0x8007007E);

// Every function the writer calls, by library.
constexpr const char* kAvifil32Functions[] = {"AVIFileInit",        "AVIFileOpenA",       "AVIFileCreateStreamA",
                                              "AVISaveOptions",     "AVISaveOptionsFree", "AVIMakeCompressedStream",
                                              "AVIStreamSetFormat", "AVIStreamWrite",     "AVIStreamRelease",
                                              "AVIFileRelease",     "AVIFileExit"};
constexpr const char* kWinmmFunctions[] = {"mmioStringToFOURCCA"};

bool ValidList(std::int32_t count, AviCompressOptions** options) {
    if (count <= 0 || options == nullptr) return false;
    for (std::int32_t i = 0; i < count; ++i)
        if (options[i] == nullptr) return false;
    return true;
}

}  // namespace

void AviFileLibrary::AVIFileInit() {
    if (auto* init = avifil32_.Get<decltype(::AVIFileInit)>("AVIFileInit")) init();
}

AviResult AviFileLibrary::AVIFileOpen(vfe::PAVIFILE* file, const std::string& path, std::uint32_t mode) {
    *file = nullptr;
    auto* open = avifil32_.Get<decltype(::AVIFileOpenA)>("AVIFileOpenA");
    if (!open) return kLibraryMissing;
    ::PAVIFILE native = nullptr;
    const HRESULT result = open(&native, path.c_str(), mode, nullptr);
    *file = Ours(native);
    return static_cast<AviResult>(result);
}

FOURCC AviFileLibrary::mmioStringToFOURCCA(const std::string& text, std::uint32_t flags) {
    auto* toFourCC = winmm_.Get<decltype(::mmioStringToFOURCCA)>("mmioStringToFOURCCA");
    return toFourCC ? toFourCC(text.c_str(), flags) : 0;  // no stream type: creating the stream fails
}

AviResult AviFileLibrary::AVIFileCreateStreamA(vfe::PAVIFILE file, vfe::PAVISTREAM* stream,
                                               const AviStreamInfo& info) {
    *stream = nullptr;
    auto* create = avifil32_.Get<decltype(::AVIFileCreateStreamA)>("AVIFileCreateStreamA");
    if (!create) return kLibraryMissing;
    AVISTREAMINFOA native{};
    native.fccType = info.fccType;
    native.fccHandler = info.fccHandler;
    native.dwScale = info.dwScale;
    native.dwRate = info.dwRate;
    native.dwSuggestedBufferSize = info.dwSuggestedBufferSize;
    SetRect(&native.rcFrame, info.rcFrame.left, info.rcFrame.top, info.rcFrame.right, info.rcFrame.bottom);
    ::PAVISTREAM created = nullptr;
    const HRESULT result = create(Native(file), &created, &native);
    *stream = Ours(created);
    return static_cast<AviResult>(result);
}

std::int32_t AviFileLibrary::AVISaveOptions(std::uint32_t flags, std::int32_t streamCount, vfe::PAVISTREAM* streams,
                                            AviCompressOptions** options) {
    auto* dialog = avifil32_.Get<decltype(::AVISaveOptions)>("AVISaveOptions");
    if (!dialog || streams == nullptr || !ValidList(streamCount, options)) return -1;
    std::vector<::PAVISTREAM> nativeStreams(static_cast<std::size_t>(streamCount));
    for (std::int32_t i = 0; i < streamCount; ++i) nativeStreams[static_cast<std::size_t>(i)] = Native(streams[i]);
    NativeOptionList nativeOptions(streamCount, options);
    return static_cast<std::int32_t>(dialog(owner_, flags, streamCount, nativeStreams.data(), nativeOptions.get()));
}

AviResult AviFileLibrary::AVISaveOptionsFree(std::int32_t streamCount, AviCompressOptions** options) {
    auto* free = avifil32_.Get<decltype(::AVISaveOptionsFree)>("AVISaveOptionsFree");
    if (!free) return kLibraryMissing;
    if (!ValidList(streamCount, options)) return -1;
    NativeOptionList nativeOptions(streamCount, options);
    return static_cast<AviResult>(free(streamCount, nativeOptions.get()));
}

AviResult AviFileLibrary::AVIMakeCompressedStream(vfe::PAVISTREAM* compressed, vfe::PAVISTREAM source,
                                                  const AviCompressOptions& options) {
    *compressed = nullptr;
    auto* make = avifil32_.Get<decltype(::AVIMakeCompressedStream)>("AVIMakeCompressedStream");
    if (!make) return kLibraryMissing;
    AVICOMPRESSOPTIONS native = Native(options);
    ::PAVISTREAM made = nullptr;
    const HRESULT result = make(&made, Native(source), &native, nullptr);
    *compressed = Ours(made);
    return static_cast<AviResult>(result);
}

AviResult AviFileLibrary::AVIStreamSetFormat(vfe::PAVISTREAM stream, std::int32_t position, const void* format,
                                             std::int32_t formatSize) {
    auto* setFormat = avifil32_.Get<decltype(::AVIStreamSetFormat)>("AVIStreamSetFormat");
    if (!setFormat) return kLibraryMissing;
    // The library takes the format by a non-const pointer but only reads it.
    return static_cast<AviResult>(setFormat(Native(stream), position, const_cast<void*>(format), formatSize));
}

AviResult AviFileLibrary::AVIStreamWrite(vfe::PAVISTREAM stream, std::int32_t start, std::int32_t samples,
                                         const void* buffer, std::int32_t bufferSize, std::uint32_t flags,
                                         std::int32_t* bytesWritten) {
    if (bytesWritten) *bytesWritten = 0;
    auto* write = avifil32_.Get<decltype(::AVIStreamWrite)>("AVIStreamWrite");
    if (!write) return kLibraryMissing;
    LONG samplesDone = 0;
    LONG bytes = 0;
    const HRESULT result = write(Native(stream), start, samples, const_cast<void*>(buffer), bufferSize, flags,
                                 &samplesDone, &bytes);
    // Wine's compressing stream gives the two counts in each other's place: what it says of
    // `samples` samples written is then the bytes.
    if (samplesDone != samples && bytes == samples) bytes = samplesDone;
    if (bytesWritten) *bytesWritten = static_cast<std::int32_t>(bytes);
    return static_cast<AviResult>(result);
}

std::uint32_t AviFileLibrary::AVIStreamRelease(vfe::PAVISTREAM stream) {
    auto* release = avifil32_.Get<decltype(::AVIStreamRelease)>("AVIStreamRelease");
    return release ? static_cast<std::uint32_t>(release(Native(stream))) : 0;
}

std::uint32_t AviFileLibrary::AVIFileRelease(vfe::PAVIFILE file) {
    auto* release = avifil32_.Get<decltype(::AVIFileRelease)>("AVIFileRelease");
    return release ? static_cast<std::uint32_t>(release(Native(file))) : 0;
}

std::string AviFileLibrary::CompressorName(FOURCC handler) {
    auto* open = msvfw32_.Get<decltype(::ICOpen)>("ICOpen");
    auto* getInfo = msvfw32_.Get<decltype(::ICGetInfo)>("ICGetInfo");
    auto* close = msvfw32_.Get<decltype(::ICClose)>("ICClose");
    if (!open || !getInfo || !close) return {};
    const HIC compressor = open(ICTYPE_VIDEO, handler, ICMODE_QUERY);
    if (!compressor) return {};
    ICINFO info{};
    info.dwSize = sizeof info;
    const LRESULT got = getInfo(compressor, &info, sizeof info);
    close(compressor);
    if (!got) return {};
    // The description, as the compression dialog lists it, in the program's code page.
    const int length = WideCharToMultiByte(CP_ACP, 0, info.szDescription, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string name(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, info.szDescription, -1, name.data(), length, nullptr, nullptr);
    name.resize(static_cast<std::size_t>(length - 1));
    return name;
}

std::string AviFileLibrary::MissingPart() {
    std::string missing = avifil32_.Missing(kAvifil32Functions);
    return missing.empty() ? winmm_.Missing(kWinmmFunctions) : missing;
}

void AviFileLibrary::AVIFileExit() {
    if (auto* exit = avifil32_.Get<decltype(::AVIFileExit)>("AVIFileExit")) exit();
}

}  // namespace vfe::win32
