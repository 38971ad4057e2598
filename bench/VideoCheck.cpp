// What the save does to a finished video beyond the AVI library's work and its own reads,
// timed alone on a video and the frame files it was made of: the read of each frame file (as
// the save reads it), and the check of the file frame for frame (its index and chunks, and
// each frame's bytes against the fingerprint taken as it was written).
//   bench_video_check <video.avi> <folder of its frames z0.bmp ...>
// Prints: video check: <ms> ms per frame; frame read: <ms>, fingerprint: <ms> ms per frame (<N> frames)
#include <cstdio>
#include <string>
#include <vector>

#include "Timing.h"
#include "platform/FileFacts.h"
#include "platform/OpenFile.h"
#include "video/AviFileCheck.h"
#include "video/BmpReader.h"
#include "video/FrameFingerprint.h"

using bench::Clock;
using bench::MillisecondsSince;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: bench_video_check <video.avi> <folder of its frames>\n");
        return 2;
    }
    const std::string video = argv[1];
    const std::string folder = argv[2];
    const std::int64_t frames = vfe::ReadAviFileFacts(video).declaredFrames;
    if (frames <= 0) {
        std::printf("video check: %s holds no frames\n", video.c_str());
        return 1;
    }
    std::vector<vfe::FrameInVideo> written;
    double read = 0, fingerprint = 0;
    vfe::BmpContents frame;  // read into the same storage each time, as the save does
    for (std::int64_t i = 0; i < frames; ++i) {
        const std::string path = folder + "\\z" + std::to_string(i) + ".bmp";
        const auto reading = Clock::now();
        const auto length = vfe::FileLength(path);
        const vfe::OpenFile file = vfe::OpenStream(path, "rb");
        vfe::BmpFileHeader header;
        const bool loaded = length && file && vfe::ReadCheckedBmp(file.get(), *length, header, frame);
        read += MillisecondsSince(reading);
        if (!loaded) {
            std::printf("video check: frame %lld cannot be read\n", static_cast<long long>(i));
            return 1;
        }
        const auto fingerprinting = Clock::now();
        written.push_back({static_cast<std::int64_t>(frame.bits.size()), vfe::FrameFingerprint(frame.bits)});
        fingerprint += MillisecondsSince(fingerprinting);
    }
    const auto checking = Clock::now();
    const bool whole = vfe::IsWholeVideo(video, written);
    const double check = MillisecondsSince(checking);
    if (!whole) {
        std::printf("video check: the video is not found whole\n");
        return 1;
    }
    std::printf("video check: %.2f ms per frame; frame read: %.2f, fingerprint: %.2f ms per frame (%lld frames)\n",
                check / frames, read / frames, fingerprint / frames, static_cast<long long>(frames));
    return 0;
}
