// The AVI library's floor: the frames z0.bmp ... z(N-1).bmp of a folder are read into
// memory first, then written with the calls the front-end's writer makes (one
// uncompressed video stream at 5 frames per second, every frame a key frame), each file flushed
// to the disk once finished, timed from AVIFileInit to AVIFileExit. Nothing else happens per frame.
//   bench_avi_floor <folder> <frames> [frames per file]
// With frames per file, a recording too large to hold in memory: each frame is read just
// before it is written (the front-end reads its frames then too), and the video goes on in a
// new file (floor_2.avi, ...) after that many frames, the library's use and the options kept.
// Prints: avi floor: <ms> ms per frame (<N> frames, <bytes> bytes each, in <K> files; of which the flush <ms> ms per frame)
#include <windows.h>
#include <vfw.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Frame {
    std::vector<char> file;  // the whole BMP file
    std::uint32_t pixelOffset = 0;
};

bool ReadFrame(const std::string& path, Frame& frame) {
    std::ifstream in(path, std::ios::binary);
    frame.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (frame.file.size() < 54 || frame.file[0] != 'B' || frame.file[1] != 'M') return false;
    std::memcpy(&frame.pixelOffset, frame.file.data() + 10, 4);
    return frame.pixelOffset >= 54 && frame.pixelOffset <= frame.file.size();
}

// One video file of the floor: `count` frames from `first` on, each from `frameAt`.
template <typename FrameAt>
HRESULT WriteVideo(const std::string& output, const Frame& firstFrame, int first, int count, FrameAt frameAt) {
    const char* info = firstFrame.file.data() + 14;
    const LONG infoSize = static_cast<LONG>(firstFrame.pixelOffset - 14);
    const LONG imageSize = static_cast<LONG>(firstFrame.file.size() - firstFrame.pixelOffset);
    PAVIFILE file = nullptr;
    PAVISTREAM plain = nullptr, compressed = nullptr;
    HRESULT result = AVIFileOpenA(&file, output.c_str(), OF_WRITE | OF_CREATE, nullptr);
    if (result == 0) {
        AVISTREAMINFOA stream{};
        stream.fccType = mmioStringToFOURCCA("vids", 0);
        stream.dwScale = 1;
        stream.dwRate = 5;
        stream.dwSuggestedBufferSize = static_cast<DWORD>(imageSize);
        SetRect(&stream.rcFrame, 0, 0, 640, 480);
        result = AVIFileCreateStreamA(file, &plain, &stream);
    }
    AVICOMPRESSOPTIONS options{};
    options.fccType = mmioStringToFOURCCA("vids", 0);
    options.fccHandler = mmioStringToFOURCCA("DIB ", 0);  // what "Full Frames (Uncompressed)" answers
    if (result == 0) result = AVIMakeCompressedStream(&compressed, plain, &options, nullptr);
    if (result == 0) result = AVIStreamSetFormat(compressed, 0, const_cast<char*>(info), infoSize);
    for (int i = 0; i < count && result == 0; ++i) {
        const Frame* frame = frameAt(first + i);
        if (!frame) return E_FAIL;
        result = AVIStreamWrite(compressed, i, 1, const_cast<char*>(frame->file.data() + frame->pixelOffset),
                                static_cast<LONG>(frame->file.size() - frame->pixelOffset), AVIIF_KEYFRAME, nullptr,
                                nullptr);
    }
    if (plain) AVIStreamRelease(plain);
    if (compressed) AVIStreamRelease(compressed);
    if (file) AVIFileRelease(file);
    return result;
}

// A finished file written through to the disk, as the front-end has each of its videos before
// their frames may go.
bool FlushToDisk(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: bench_avi_floor <folder> <frames> [frames per file]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    const int perFile = argc > 3 ? std::atoi(argv[3]) : 0;
    const auto framePath = [&](int i) { return folder + "\\z" + std::to_string(i) + ".bmp"; };
    // Read in advance, or each one just before it is written.
    std::vector<Frame> frames(perFile > 0 ? 1 : static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < frames.size(); ++i)
        if (!ReadFrame(framePath(static_cast<int>(i)), frames[i])) {
            std::printf("avi floor: cannot read frame %zu\n", i);
            return 1;
        }
    const Frame first = frames.front();
    Frame current;
    const auto frameAt = [&](int i) -> const Frame* {
        if (perFile <= 0) return &frames[static_cast<std::size_t>(i)];
        return ReadFrame(framePath(i), current) ? &current : nullptr;
    };

    const auto start = std::chrono::steady_clock::now();
    AVIFileInit();
    HRESULT result = 0;
    int files = 0;
    double flushMs = 0;
    const int step = perFile > 0 ? perFile : count;
    for (int done = 0; done < count && result == 0; done += step, ++files) {
        const std::string name = files == 0 ? "floor.avi" : "floor_" + std::to_string(files + 1) + ".avi";
        result = WriteVideo(folder + "\\" + name, first, done, std::min(step, count - done), frameAt);
        const auto flushing = std::chrono::steady_clock::now();
        if (result == 0 && !FlushToDisk(folder + "\\" + name)) result = E_FAIL;
        flushMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - flushing).count();
    }
    AVIFileExit();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (result != 0) {
        std::printf("avi floor: the library failed (0x%08lx)\n", static_cast<unsigned long>(result));
        return 1;
    }
    std::printf("avi floor: %.2f ms per frame (%d frames, %zu bytes each, in %d files; of which the flush %.2f ms per "
                "frame)\n", ms / count, count, first.file.size() - first.pixelOffset, files, flushMs / count);
    return 0;
}
