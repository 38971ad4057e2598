// Save time of a recording: writes N frame files as the grabber does (one header write and
// one pixel write each), then times SaveVideo over them. On Windows (or Wine) the system's
// AVI library writes the video, with "Full Frames (Uncompressed)" chosen in place of the
// dialog; natively a library that only takes the bytes measures our own part.
//   bench_save_video [folder] [frames=100] [width=1024] [height=768] [frames-only]
// With "frames-only" it only writes the frame files, for a peer to assemble them.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Timing.h"
#include "support/Fakes.h"
#include "video/BmpFile.h"
#include "video/SaveVideo.h"
#include "capture/FrameFiles.h"
#include "video/VideoFiles.h"
#include "support/CaptureFakes.h"

#ifdef _WIN32
#include "win32/AviFileLibrary.h"
#endif

namespace {

using bench::Clock;
using bench::MillisecondsSince;

#ifdef _WIN32
// The real library, with the compression dialog answered "Full Frames (Uncompressed)".
class UncompressedChoice final : public vfe::mAVIDecs {
public:
    void AVIFileInit() override { real_.AVIFileInit(); }
    vfe::AviResult AVIFileOpen(vfe::PAVIFILE* f, const std::string& p, std::uint32_t m) override {
        return real_.AVIFileOpen(f, p, m);
    }
    vfe::FOURCC mmioStringToFOURCCA(const std::string& t, std::uint32_t f) override {
        return real_.mmioStringToFOURCCA(t, f);
    }
    vfe::AviResult AVIFileCreateStreamA(vfe::PAVIFILE f, vfe::PAVISTREAM* s, const vfe::AviStreamInfo& i) override {
        return real_.AVIFileCreateStreamA(f, s, i);
    }
    std::int32_t AVISaveOptions(std::uint32_t, std::int32_t, vfe::PAVISTREAM*, vfe::AviCompressOptions** o) override {
        o[0]->fccType = real_.mmioStringToFOURCCA("vids", 0);
        o[0]->fccHandler = real_.mmioStringToFOURCCA("DIB ", 0);
        return 1;
    }
    vfe::AviResult AVISaveOptionsFree(std::int32_t, vfe::AviCompressOptions**) override { return 0; }
    vfe::AviResult AVIMakeCompressedStream(vfe::PAVISTREAM* c, vfe::PAVISTREAM s,
                                           const vfe::AviCompressOptions& o) override {
        return real_.AVIMakeCompressedStream(c, s, o);
    }
    vfe::AviResult AVIStreamSetFormat(vfe::PAVISTREAM s, std::int32_t p, const void* f, std::int32_t n) override {
        return real_.AVIStreamSetFormat(s, p, f, n);
    }
    vfe::AviResult AVIStreamWrite(vfe::PAVISTREAM s, std::int32_t st, std::int32_t n, const void* b, std::int32_t sz,
                                  std::uint32_t fl, std::int32_t* w) override {
        return real_.AVIStreamWrite(s, st, n, b, sz, fl, w);
    }
    std::uint32_t AVIStreamRelease(vfe::PAVISTREAM s) override { return real_.AVIStreamRelease(s); }
    std::uint32_t AVIFileRelease(vfe::PAVIFILE f) override { return real_.AVIFileRelease(f); }
    void AVIFileExit() override { real_.AVIFileExit(); }

private:
    vfe::win32::AviFileLibrary real_{nullptr};
};
using BenchLibrary = UncompressedChoice;
#else
// Takes every call and touches every written byte, so only our own part is measured.
class BytesOnly final : public vfe::mAVIDecs {
public:
    void AVIFileInit() override {}
    vfe::AviResult AVIFileOpen(vfe::PAVIFILE* f, const std::string&, std::uint32_t) override {
        *f = reinterpret_cast<vfe::PAVIFILE>(std::uintptr_t{1});
        return 0;
    }
    vfe::FOURCC mmioStringToFOURCCA(const std::string&, std::uint32_t) override { return 0x73646976; }
    vfe::AviResult AVIFileCreateStreamA(vfe::PAVIFILE, vfe::PAVISTREAM* s, const vfe::AviStreamInfo&) override {
        *s = reinterpret_cast<vfe::PAVISTREAM>(std::uintptr_t{2});
        return 0;
    }
    std::int32_t AVISaveOptions(std::uint32_t, std::int32_t, vfe::PAVISTREAM*, vfe::AviCompressOptions**) override {
        return 1;
    }
    vfe::AviResult AVISaveOptionsFree(std::int32_t, vfe::AviCompressOptions**) override { return 0; }
    vfe::AviResult AVIMakeCompressedStream(vfe::PAVISTREAM* c, vfe::PAVISTREAM, const vfe::AviCompressOptions&) override {
        *c = reinterpret_cast<vfe::PAVISTREAM>(std::uintptr_t{3});
        return 0;
    }
    vfe::AviResult AVIStreamSetFormat(vfe::PAVISTREAM, std::int32_t, const void*, std::int32_t) override { return 0; }
    vfe::AviResult AVIStreamWrite(vfe::PAVISTREAM, std::int32_t, std::int32_t, const void* b, std::int32_t size,
                                  std::uint32_t, std::int32_t* written) override {
        if (written) *written = size;
        const auto* bytes = static_cast<const std::uint8_t*>(b);
        for (std::int32_t i = 0; i < size; i += 4096) checksum += bytes[i];
        return 0;
    }
    std::uint32_t AVIStreamRelease(vfe::PAVISTREAM) override { return 0; }
    std::uint32_t AVIFileRelease(vfe::PAVIFILE) override { return 0; }
    void AVIFileExit() override {}
    unsigned checksum = 0;
};
using BenchLibrary = BytesOnly;
#endif

std::vector<std::uint8_t> FrameInfo(int width, int height) {
    vfe::BmpInfoHeader info;
    info.biSize = 40;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const auto bytes = vfe::PackInfoHeader(info);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path() / "vfe-bench-save";
    const int frames = argc > 2 ? std::atoi(argv[2]) : 100;
    const int width = argc > 3 ? std::atoi(argv[3]) : 1024;
    const int height = argc > 4 ? std::atoi(argv[4]) : 768;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string appDir = folder.string();

    vfe::testing::FakeFrontEnd fake(appDir);
    const auto info = FrameInfo(width, height);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        for (std::size_t p = 0; p < pixels.size(); p += 4) pixels[p] = static_cast<std::uint8_t>(i + p / 4096);
        const std::string path = vfe::FrameFilePath(appDir, i);
        if (!vfe::WriteBmpFile(path, info, pixels)) {
            std::printf("could not write %s\n", path.c_str());
            return 1;
        }
        fake.controls.ListAdd(path);
    }
    const double writeMs = MillisecondsSince(start);
    if (argc > 5 && std::string(argv[5]) == "frames-only") return 0;
    fake.state.Numero = frames;
    fake.state.TamanoCuadroW = 640;
    fake.state.TamanoCuadroH = 480;

    BenchLibrary library;
    fake.clock.seconds = 12 * 3600;
    vfe::testing::SelectionLog selection(fake.controls);
    start = Clock::now();
    const auto outcome = vfe::SaveVideo(fake.frontEnd, library, selection).outcome;
    const double saveMs = MillisecondsSince(start);

    const auto video = folder / vfe::VideoFileName(12 * 3600);
    std::error_code ignored;
    const auto videoBytes = std::filesystem::exists(video) ? std::filesystem::file_size(video, ignored) : 0;
    std::printf("frame files: %d of %dx%d at 32 bpp written in %.0f ms (%.2f ms per frame)\n", frames, width, height,
                writeMs, writeMs / frames);
    std::printf("SaveVideo: %s in %.0f ms (%.2f ms per frame), video %llu bytes\n",
                outcome == vfe::SaveOutcome::Saved ? "saved" : "FAILED", saveMs, saveMs / frames,
                static_cast<unsigned long long>(videoBytes));
    for (const auto& box : fake.messages.shown) std::printf("message: %s | %s\n", box.text.c_str(), box.title.c_str());
    return outcome == vfe::SaveOutcome::Saved ? 0 : 1;
}
