#pragma once
// A fake AVI library: records every call with its arguments, in order, and answers with
// scripted results. Handles are distinct fake addresses, never dereferenced.
#include <cstdint>
#include <algorithm>
#include <fstream>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "video/mAVIDecs.h"

namespace vfe::testing {

struct WrittenSample {
    PAVISTREAM stream;
    std::int32_t start;
    std::int32_t samples;
    std::vector<std::uint8_t> bytes;
    std::uint32_t flags;
};

class FakeAviLibrary final : public mAVIDecs {
public:
    // Fake handles the library hands out.
    PAVIFILE const file = reinterpret_cast<PAVIFILE>(std::uintptr_t{0x1000});
    PAVISTREAM const plainStream = reinterpret_cast<PAVISTREAM>(std::uintptr_t{0x2000});
    PAVISTREAM const compressedStream = reinterpret_cast<PAVISTREAM>(std::uintptr_t{0x3000});
    static constexpr FOURCC kVids = 0x73646976;  // "vids"

    void AVIFileInit() override { calls.push_back("AVIFileInit"); }
    AviResult AVIFileOpen(PAVIFILE* out, const std::string& path, std::uint32_t mode) override {
        calls.push_back("AVIFileOpen");
        openedPath = path;
        openedPaths.push_back(path);
        samplesInFile.clear();
        openMode = mode;
        if (Fails("AVIFileOpen")) return results["AVIFileOpen"];
        *out = file;
        return 0;
    }
    FOURCC mmioStringToFOURCCA(const std::string& text, std::uint32_t flags) override {
        calls.push_back("mmioStringToFOURCCA " + text + " " + std::to_string(flags));
        return text == "vids" ? kVids : 0;
    }
    AviResult AVIFileCreateStreamA(PAVIFILE f, PAVISTREAM* out, const AviStreamInfo& info) override {
        calls.push_back("AVIFileCreateStreamA" + Name(f));
        streamInfo = info;
        if (Fails("AVIFileCreateStreamA")) return results["AVIFileCreateStreamA"];
        *out = plainStream;
        return 0;
    }
    std::int32_t AVISaveOptions(std::uint32_t flags, std::int32_t streamCount, PAVISTREAM* streams,
                                AviCompressOptions** options) override {
        calls.push_back("AVISaveOptions " + std::to_string(flags) + " " + std::to_string(streamCount) +
                        Name(streams ? streams[0] : nullptr));
        if (dialogAnswer == 1 && options && options[0]) {
            options[0]->fccType = kVids;
            options[0]->fccHandler = chosenHandler;
        }
        return dialogAnswer;
    }
    AviResult AVISaveOptionsFree(std::int32_t streamCount, AviCompressOptions** options) override {
        calls.push_back("AVISaveOptionsFree " + std::to_string(streamCount));
        freedOptionsValid = options && options[0];
        return 0;
    }
    AviResult AVIMakeCompressedStream(PAVISTREAM* out, PAVISTREAM source, const AviCompressOptions& options) override {
        calls.push_back("AVIMakeCompressedStream" + Name(source));
        compressedWith = options.fccHandler;
        if (Fails("AVIMakeCompressedStream")) return results["AVIMakeCompressedStream"];
        *out = compressedStream;
        return 0;
    }
    AviResult AVIStreamSetFormat(PAVISTREAM stream, std::int32_t position, const void* format,
                                 std::int32_t formatSize) override {
        calls.push_back("AVIStreamSetFormat" + Name(stream) + " " + std::to_string(position));
        const auto* bytes = static_cast<const std::uint8_t*>(format);
        this->format.assign(bytes, bytes + formatSize);
        const int bitCount = formatSize >= 16 ? bytes[14] : 0;
        if (refusedBitCounts.count(bitCount)) return -2147205005;
        return Fails("AVIStreamSetFormat") ? results["AVIStreamSetFormat"] : 0;
    }
    AviResult AVIStreamWrite(PAVISTREAM stream, std::int32_t start, std::int32_t samples, const void* buffer,
                             std::int32_t bufferSize, std::uint32_t flags, std::int32_t* bytesWritten) override {
        calls.push_back("AVIStreamWrite" + Name(stream) + " " + std::to_string(start));
        if (failWriteAt == start && throwing) throw std::bad_alloc();
        if (failWriteAt == start) return results["AVIStreamWrite"];
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        written.push_back({stream, start, samples, {bytes, bytes + bufferSize}, flags});
        samplesInFile.push_back(written.back().bytes);
        if (bytesWritten) *bytesWritten = bufferSize;
        return 0;
    }
    std::uint32_t AVIStreamRelease(PAVISTREAM stream) override {
        calls.push_back("AVIStreamRelease" + Name(stream));
        if (throwing) throw std::bad_alloc();
        return 0;
    }
    std::uint32_t AVIFileRelease(PAVIFILE f) override {
        calls.push_back("AVIFileRelease" + Name(f));
        // The library finishes the file as it lets it go; a damaged one is cut short, its
        // headers left as they were, as a full disk or the library's 2 GiB stop leaves it.
        const bool damaged = damagedFile == static_cast<int>(openedPaths.size()) - 1;
        auto frames = samplesInFile;
        if (damaged && zeroed)
            for (auto& frame : frames) std::fill(frame.begin(), frame.end(), std::uint8_t{0});
        std::string file = AviFile(frames);
        if (damaged && !zeroed) file.resize(file.size() / 2);
        std::ofstream(openedPath, std::ios::binary) << file;
        return 0;
    }
    void AVIFileExit() override { calls.push_back("AVIFileExit"); }
    // The dialog's "Full Frames" entry has no compressor behind it, and so no name to give.
    std::string CompressorName(FOURCC handler) override { return handler == 0x454C524D ? "Wine MS-RLE video codec" : ""; }

    // An AVI file of these frames as the library lays it out: the main and stream headers
    // counting them, the frames' chunks, one index entry each.
    static std::string AviFile(const std::vector<std::vector<std::uint8_t>>& frames) {
        const auto word = [](std::size_t value) {
            std::string bytes;
            for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
            return bytes;
        };
        const auto chunk = [&](const std::string& code, const std::string& data) {
            return code + word(data.size()) + data + std::string(data.size() & 1, '\0');
        };
        const std::string count = word(frames.size());
        const std::string avih = std::string(16, '\0') + count + std::string(36, '\0');
        const std::string strh = "vids" + std::string(28, '\0') + count + std::string(20, '\0');
        std::string movi = "movi";
        std::string index;
        for (const auto& frame : frames) {
            index += "00db" + word(0x10) + word(movi.size()) + word(frame.size());
            movi += chunk("00db", std::string(frame.begin(), frame.end()));
        }
        const std::string hdrl = "hdrl" + chunk("avih", avih) + chunk("LIST", "strl" + chunk("strh", strh));
        return chunk("RIFF", "AVI " + chunk("LIST", hdrl) + chunk("LIST", movi) + chunk("idx1", index));
    }

    std::vector<std::string> calls;
    int damagedFile = -1;  // this file of the save (from 0) is finished cut short
    bool zeroed = false;   // ... or whole, its frames' bytes zeros, as a write that failed silently leaves them
    std::map<std::string, AviResult> results;  // a call named here fails with this result
    std::int32_t dialogAnswer = 1;
    FOURCC chosenHandler = 0x20424944;  // "DIB "
    std::set<int> refusedBitCounts;     // the compressed stream takes no format of these bits per pixel
    std::int32_t failWriteAt = -1;      // AVIStreamWrite at this position fails with results["AVIStreamWrite"]
    bool throwing = false;              // ... or throws, and so does every AVIStreamRelease

    std::string openedPath;
    std::vector<std::string> openedPaths;
    std::vector<std::vector<std::uint8_t>> samplesInFile;  // the frames of the file open last
    std::uint32_t openMode = 0;
    AviStreamInfo streamInfo;
    FOURCC compressedWith = 0;
    bool freedOptionsValid = false;
    std::vector<std::uint8_t> format;
    std::vector<WrittenSample> written;

private:
    bool Fails(const std::string& call) const { return results.count(call) != 0; }
    std::string Name(const void* handle) const {
        if (handle == nullptr) return " null";
        if (handle == file) return " file";
        if (handle == plainStream) return " plain";
        if (handle == compressedStream) return " compressed";
        return " ?";
    }
};

}  // namespace vfe::testing
