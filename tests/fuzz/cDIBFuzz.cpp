// Fuzz target: the BMP loader of cDIB, fed each input as a file (RAM-backed under /dev/shm,
// so no disk is touched) and as a packed bitmap in memory.
// Beyond "no crash", it holds the loader to what callers rely on:
//  - a refused load shows exactly one message and keeps the previous bitmap intact;
//  - an accepted load shows none, and holds blocks that agree with the headers and the input;
//  - nothing held is larger than the input (no allocation sized from a forged field).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "video/BmpHeaders.h"
#include "video/cDIB.h"

namespace {

class CountingBoxes final : public vfe::MessageBoxes {
public:
    vfe::Answer Show(const std::string&, const std::string&, unsigned) override {
        ++shown;
        return vfe::Answer::Ok;
    }
    int shown = 0;
};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "cDIB fuzz: %s\n", what);
    std::abort();
}

void Check(bool condition, const char* what) {
    if (!condition) Fail(what);
}

// A small 32-bit bitmap loaded before every input, so a refused input must leave it as it was.
std::vector<std::uint8_t> PreviousBitmap() {
    vfe::BmpInfoHeader info;
    info.biSize = 40;
    info.biWidth = 2;
    info.biHeight = 3;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biSizeImage = 24;
    const auto header = vfe::PackInfoHeader(info);
    std::vector<std::uint8_t> packed(header.begin(), header.end());
    for (int i = 0; i < 24; ++i) packed.push_back(static_cast<std::uint8_t>(0x5A ^ i));
    return packed;
}

bool HoldsPrevious(const vfe::cDIB& dib, const std::vector<std::uint8_t>& previous) {
    return dib.Width() == 2 && dib.Height() == 3 && dib.SizeImage() == 24 && dib.SizeBitmapInfo() == 40 &&
           std::memcmp(dib.PointerToBits(), previous.data() + 40, 24) == 0;
}

const std::string& FuzzFilePath() {
    static const std::string path = "/dev/shm/vfe-fuzz-cdib-" + std::to_string(getpid()) + ".bmp";
    return path;
}

void WriteInputFile(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(FuzzFilePath().c_str(), "wb");
    if (!file) Fail("cannot write the input file under /dev/shm");
    if (size && std::fwrite(data, 1, size, file) != size) Fail("short write under /dev/shm");
    std::fclose(file);
}

void CheckFileLoad(const std::uint8_t* data, std::size_t size, const std::vector<std::uint8_t>& previous) {
    CountingBoxes boxes;
    vfe::cDIB dib(boxes);
    Check(dib.CreateFromPackedDIBPointer(previous.data()), "the previous bitmap did not load");
    WriteInputFile(data, size);
    const bool loaded = dib.CreateFromFile(FuzzFilePath());
    if (!loaded) {
        Check(boxes.shown == 1, "a refused file showed other than one message");
        Check(HoldsPrevious(dib, previous), "a refused file changed the held bitmap");
        return;
    }
    Check(boxes.shown == 0, "an accepted file showed a message");
    const auto held = static_cast<std::size_t>(dib.SizeImage()) + static_cast<std::size_t>(dib.SizeBitmapInfo());
    Check(held + vfe::kBmpFileHeaderSize <= size, "held blocks larger than the file");
    Check(dib.FileType() == vfe::kBmpFileType, "accepted a file that is not BM");
    Check(dib.SizeBitmapInfo() == dib.BitOffset() - 14, "information block does not reach the pixel offset");
    Check(dib.SizeBitmapInfo() >= 40, "information block shorter than the info header");
    Check(std::memcmp(dib.PointerToBitmapInfo() + 4, data + 18, 16) == 0, "information block is not the file's");
    if (dib.SizeImage() > 0)
        Check(std::memcmp(dib.PointerToBits(), data + dib.BitOffset(), static_cast<std::size_t>(dib.SizeImage())) == 0,
              "pixels are not the file's");
}

void CheckPackedLoad(const std::uint8_t* data, std::size_t size, const std::vector<std::uint8_t>& previous) {
    CountingBoxes boxes;
    vfe::cDIB dib(boxes);
    Check(dib.CreateFromPackedDIBPointer(previous.data()), "the previous bitmap did not load");
    const bool loaded = dib.CreateFromPackedDIB(std::span<const std::uint8_t>(data, size));
    Check(boxes.shown == 0, "a packed bitmap showed a message");
    if (!loaded) {
        Check(HoldsPrevious(dib, previous), "a refused packed bitmap changed the held bitmap");
        return;
    }
    Check(dib.BitCount() >= 16 && dib.SizeImage() >= 1, "accepted a packed bitmap it must refuse");
    Check(static_cast<std::size_t>(dib.SizeImage()) + 40 <= size, "held pixels beyond the packed block");
    Check(dib.SizeBitmapInfo() == 40 && dib.BitOffset() == 54, "packed bitmap's blocks are wrong");
    Check(dib.SizeFileHeader() == 54 + dib.SizeImage(), "packed bitmap's file size is wrong");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::uint8_t> previous = PreviousBitmap();
    CheckFileLoad(data, size, previous);
    CheckPackedLoad(data, size, previous);
    return 0;
}
