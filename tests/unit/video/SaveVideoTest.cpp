#include <gtest/gtest.h>

#include <functional>

#include "support/FailingAllocations.h"
#include "support/FakeAvi.h"
#include "support/CaptureFakes.h"
#include "support/Fakes.h"
#include "support/TempDir.h"
#include "video/BmpBuilder.h"
#include "video/AviFileCheck.h"
#include "video/FrameFingerprint.h"
#include "video/SaveVideo.h"
#include "video/VideoFiles.h"

namespace vfe {
namespace {

using testing::BmpBuilder;
using testing::FakeAviLibrary;
using testing::FakeFrontEnd;
using testing::TempDir;

// A recording of `frames` frame files z0.bmp ... in a real application folder, listed in
// `lst`, with an unrelated Zelda.bmp beside them.
class SaveVideoRun : public ::testing::Test {
protected:
    SaveVideoRun() : fake(dir.str()) {
        fake.state.TamanoCuadroW = 640;
        fake.state.TamanoCuadroH = 480;
        fake.state.cCaption = "Running velmoran.exe";
        fake.controls.caption = "3 frames captured...";
        dir.Write("Zelda.bmp", BmpBuilder{}.File());
    }

    void Record(int frames) {
        for (int i = 0; i < frames; ++i) {
            const std::string name = "z" + std::to_string(i) + ".bmp";
            dir.Write(name, Frame(i).File());
            fake.controls.ListAdd(dir.File(name));
        }
        fake.state.Numero = frames;
    }
    static BmpBuilder Frame(int i) {
        BmpBuilder frame;
        frame.width = 4;
        frame.height = 3;
        frame.bitCount = 32;
        frame.seed = static_cast<std::uint8_t>(i + 1);
        return frame;
    }

    SaveOutcome Save() { return SaveVideo(fake.frontEnd, avi, selection).outcome; }
    bool FramesKept(int frames) const {
        for (int i = 0; i < frames; ++i)
            if (!dir.Exists("z" + std::to_string(i) + ".bmp")) return false;
        return true;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : fake.messages.shown) texts.push_back(box.text + " | " + box.title);
        return texts;
    }

    TempDir dir;
    FakeFrontEnd fake;
    FakeAviLibrary avi;
    testing::SelectionLog selection{fake.controls};
    std::vector<int>& shownAt = selection.shownAt;
};

TEST_F(SaveVideoRun, WritesEveryFrameAsAKeyFrameInOrderAndReleasesInOrder) {
    Record(3);
    fake.clock.step = 0;  // the whole save within 100 ms
    EXPECT_EQ(Save(), SaveOutcome::Saved);

    const std::string path = dir.File("Velmoran_Cap_140509.avi");
    EXPECT_EQ(avi.calls, (std::vector<std::string>{
                             "AVIFileInit", "AVIFileOpen", "mmioStringToFOURCCA vids 0", "AVIFileCreateStreamA file",
                             "AVISaveOptions 3 1 plain", "AVIMakeCompressedStream plain",
                             "AVIStreamSetFormat compressed 0", "AVIStreamWrite compressed 0",
                             "AVIStreamWrite compressed 1", "AVIStreamWrite compressed 2", "AVIStreamRelease plain",
                             "AVIStreamRelease compressed", "AVIFileRelease file", "AVIFileExit",
                             "AVISaveOptionsFree 1"}));
    EXPECT_EQ(avi.openedPath, path);
    EXPECT_EQ(avi.openMode, 0x1001u);
    EXPECT_EQ(avi.compressedWith, avi.chosenHandler);  // the options the dialog filled
    EXPECT_EQ(avi.format, Frame(0).InfoBlock());
    ASSERT_EQ(avi.written.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(avi.written[i].start, i);
        EXPECT_EQ(avi.written[i].samples, 1);
        EXPECT_EQ(avi.written[i].flags, 0x10u);
        EXPECT_EQ(avi.written[i].bytes, Frame(i).Pixels()) << i;
    }
    // Each frame is read once; the preview is given those bytes at a person's pace, and the list
    // redraws once, after the loop.
    EXPECT_EQ(shownAt, (std::vector<int>{0}));
    EXPECT_EQ(selection.shownPixels, (std::vector<std::vector<std::uint8_t>>{Frame(0).Pixels()}));
    EXPECT_EQ(fake.controls.selectionsRedrawn, std::vector<int>{0});
    EXPECT_EQ(fake.controls.listRedraws, 1);
    EXPECT_FALSE(fake.controls.listRedrawHeld);
    EXPECT_EQ(fake.controls.list.size(), 3u);  // the last file's frames go with the recording, after "Saved"
    EXPECT_EQ(fake.disk.flushed, std::vector<std::string>{path});
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Saved " + path + " | Video file saved succesfully!"}));
    EXPECT_EQ(fake.messages.shown[0].flags, 0u);
    // Progress at a person's pace, the last frame's always; the window answers at that pace.
    EXPECT_EQ(fake.controls.captions,
              (std::vector<std::string>{"Frame: 0 of 3", "Frame: 2 of 3", "Running velmoran.exe"}));
    EXPECT_EQ(fake.controls.captionsWhenAnswering, std::vector<std::string>{"Frame: 0 of 3"});
    EXPECT_FALSE(fake.controls.busyCursor);
    EXPECT_TRUE(fake.controls.timerLog.empty());  // the timer and the frame files are the recording's
    EXPECT_TRUE(FramesKept(3));
}

TEST_F(SaveVideoRun, DescribesTheStreamFromTheRecordingAndTheFirstFrame) {
    Record(2);
    fake.state.TamanoCuadroW = 320.5;  // halves go to the even neighbour
    fake.state.TamanoCuadroH = 241.5;
    ASSERT_EQ(Save(), SaveOutcome::Saved);
    EXPECT_EQ(avi.streamInfo.fccType, FakeAviLibrary::kVids);
    EXPECT_EQ(avi.streamInfo.fccHandler, 0u);
    EXPECT_EQ(avi.streamInfo.dwScale, 1u);
    EXPECT_EQ(avi.streamInfo.dwRate, 5u);
    EXPECT_EQ(avi.streamInfo.dwSuggestedBufferSize, 48u);  // 4 x 3 at 32 bits
    EXPECT_EQ(avi.streamInfo.rcFrame, (AviRect{0, 0, 320, 242}));
}

TEST_F(SaveVideoRun, NeverOverwritesAnOlderVideo) {
    Record(1);
    dir.Write("Velmoran_Cap_140509.avi", "older video");
    dir.Write("Velmoran_Cap_140509_2.avi", "second older video");
    ASSERT_EQ(Save(), SaveOutcome::Saved);
    EXPECT_EQ(avi.openedPath, dir.File("Velmoran_Cap_140509_3.avi"));
    EXPECT_EQ(Texts()[0], "Saved " + dir.File("Velmoran_Cap_140509_3.avi") + " | Video file saved succesfully!");
}

TEST_F(SaveVideoRun, CancellingTheDialogDiscardsTheRecordingSilently) {
    Record(2);
    avi.dialogAnswer = 0;
    EXPECT_EQ(Save(), SaveOutcome::Cancelled);
    EXPECT_EQ(avi.calls, (std::vector<std::string>{"AVIFileInit", "AVIFileOpen", "mmioStringToFOURCCA vids 0",
                                                   "AVIFileCreateStreamA file", "AVISaveOptions 3 1 plain",
                                                   "AVISaveOptionsFree 1", "AVIStreamRelease plain",
                                                   "AVIFileRelease file", "AVIFileExit"}));
    EXPECT_TRUE(avi.freedOptionsValid);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.controls.caption, "Running velmoran.exe");
    EXPECT_FALSE(fake.controls.busyCursor);
}

// Every library failure: "Error!", everything obtained released in order, the frames kept. A
// compressor that takes the frames in no format (each try with a stream of its own) is named.
TEST_F(SaveVideoRun, ALibraryFailureReportsReleasesAndKeepsTheFrames) {
    struct Case {
        const char* failing;
        std::vector<std::string> releases;  // the calls after the last failing one
        std::size_t framesWritten;
        bool throws = false;
        std::string text = "Error!";
    };
    const std::vector<Case> cases = {
        {"AVIFileOpen", {"AVIFileExit"}, 0},
        {"AVIFileCreateStreamA", {"AVIFileRelease file", "AVIFileExit"}, 0},
        {"AVISaveOptions", {"AVISaveOptionsFree 1", "AVIStreamRelease plain", "AVIFileRelease file", "AVIFileExit"}, 0},
        {"AVIMakeCompressedStream",
         {"AVIStreamRelease plain", "AVIFileRelease file", "AVIFileExit", "AVISaveOptionsFree 1"}, 0},
        {"AVIStreamSetFormat",
         {"AVIStreamRelease compressed", "AVIStreamRelease plain", "AVIFileRelease file", "AVIFileExit",
          "AVISaveOptionsFree 1"}, 0, false,
         "Error!\r\nThe compressor \"Wine MS-RLE video codec\" cannot compress these frames.\r\n"
         "The frames are kept: press Save to choose another."},
        {"AVIStreamWrite",
         {"AVIStreamRelease plain", "AVIStreamRelease compressed", "AVIFileRelease file", "AVIFileExit",
          "AVISaveOptionsFree 1"}, 1},
        // Out of memory on the way, and again in the clean-up: every release is still made, and
        // the writer itself says nothing (the window reports what its handler threw).
        {"AVIStreamWrite",
         {"AVIStreamRelease plain", "AVIStreamRelease compressed", "AVIFileRelease file", "AVIFileExit",
          "AVISaveOptionsFree 1"}, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        TempDir folder;
        FakeFrontEnd front(folder.str());
        FakeAviLibrary library;
        front.state.cCaption = "before";
        for (int i = 0; i < 3; ++i) {
            folder.Write("z" + std::to_string(i) + ".bmp", Frame(i).File());
            front.controls.ListAdd(folder.File("z" + std::to_string(i) + ".bmp"));
        }
        front.state.Numero = 3;
        const std::string failing = c.failing;
        if (failing == "AVISaveOptions") library.dialogAnswer = -2;
        else library.results[failing] = -2147205005;
        if (failing == "AVIStreamWrite") library.failWriteAt = 1;
        if (failing == "AVIStreamSetFormat") library.chosenHandler = 0x454C524D;  // "MRLE"
        library.throwing = c.throws;

        testing::SelectionLog selected(front.controls);
        SaveResult result;
        bool thrown = false;
        try {
            result = SaveVideo(front.frontEnd, library, selected);
        } catch (const std::bad_alloc&) {
            thrown = true;
        }
        EXPECT_EQ(thrown, c.throws);
        if (!thrown) {  // a throw leaves no result to check
            EXPECT_EQ(result.outcome, SaveOutcome::Failed);
            EXPECT_EQ(result.path, folder.File("Velmoran_Cap_140509.avi"));
        }

        const auto last = std::find_if(library.calls.rbegin(), library.calls.rend(),
                                       [&](const std::string& call) { return call == failing || call.starts_with(failing + " "); });
        ASSERT_NE(last, library.calls.rend());
        EXPECT_EQ(std::vector<std::string>(last.base(), library.calls.end()), c.releases);
        EXPECT_EQ(std::count(library.calls.begin(), library.calls.end(), "AVIStreamSetFormat compressed 0"),
                  failing == "AVIStreamSetFormat" ? 4 : failing.starts_with("AVIStream") ? 1 : 0);
        EXPECT_EQ(library.written.size(), c.framesWritten);
        ASSERT_EQ(front.messages.shown.size(), c.throws ? 0u : 1u);
        for (const auto& box : front.messages.shown) {
            EXPECT_EQ(box.text, c.text);
            EXPECT_EQ(box.title, "KO!");
            EXPECT_EQ(box.flags, MsgBox::OkOnly | MsgBox::Information);
        }
        EXPECT_EQ(front.controls.caption, "before");
        EXPECT_FALSE(front.controls.busyCursor);
        EXPECT_FALSE(front.controls.listRedrawHeld);
        EXPECT_TRUE(front.controls.timerLog.empty());
        for (int i = 0; i < 3; ++i) EXPECT_TRUE(folder.Exists("z" + std::to_string(i) + ".bmp")) << i;
    }
}

// A compressor that does not take the frames' own format is offered them in 24, then 16, then
// 8 bits per pixel, each on a compressed stream of its own; every frame goes in the first it takes.
TEST_F(SaveVideoRun, ACompressorGetsTheFramesInTheFirstFormatItTakes) {
    Record(2);
    avi.chosenHandler = 0x454C524D;  // "MRLE"
    avi.refusedBitCounts = {32, 24};
    EXPECT_EQ(Save(), SaveOutcome::Saved);
    EXPECT_EQ(std::count(avi.calls.begin(), avi.calls.end(), "AVIMakeCompressedStream plain"), 3);
    EXPECT_EQ(std::count(avi.calls.begin(), avi.calls.end(), "AVIStreamRelease compressed"), 3);
    ASSERT_EQ(avi.format.size(), 40u);
    EXPECT_EQ(avi.format[14], 16);
    ASSERT_EQ(avi.written.size(), 2u);
    EXPECT_EQ(avi.written[1].bytes.size(), 3u * 8u);  // rows of 4 pixels of 2 bytes
    EXPECT_TRUE(IsWholeVideo(dir.File("Velmoran_Cap_140509.avi"), 2));
}

// The library reports every write a success even when the disk took only part of it or none
// of the frames' bytes, and a file the disk did not take is no video: not "Saved" but its own
// message, the frames kept for another try, the damaged file deleted to leave that try its room.
TEST_F(SaveVideoRun, AFileTheDiskDidNotTakeWholeIsReportedAndNotSaved) {
    const std::vector<std::pair<const char*, std::function<void()>>> damages = {
        {"cut short", [&] { avi.damagedFile = static_cast<int>(avi.openedPaths.size()); }},
        {"frames never written", [&] { avi.damagedFile = static_cast<int>(avi.openedPaths.size()), avi.zeroed = true; }},
        {"not flushed", [&] { fake.disk.failFlush = true; }},
    };
    Record(3);
    for (const auto& [damage, apply] : damages) {
        SCOPED_TRACE(damage);
        avi.damagedFile = -1, avi.zeroed = fake.disk.failFlush = false;
        fake.messages.shown.clear();
        apply();
        const SaveResult result = SaveVideo(fake.frontEnd, avi, selection);
        EXPECT_EQ(result.outcome, SaveOutcome::Failed);
        EXPECT_EQ(result.failedAt, SaveStep::FinishFile);
        const std::string path = dir.File("Velmoran_Cap_140509.avi");
        EXPECT_EQ(Texts(), (std::vector<std::string>{kVideoIncompleteText + "\r\n" + path + "\r\n" + kFramesKeptText +
                                                     " | " + kApplicationTitle}));
        EXPECT_EQ(fake.messages.shown[0].flags, MsgBox::OkOnly | MsgBox::Exclamation);
        EXPECT_TRUE(FramesKept(3));
        EXPECT_EQ(fake.controls.list.size(), 3u);
        EXPECT_FALSE(dir.Exists("Velmoran_Cap_140509.avi"));
        EXPECT_EQ(fake.controls.caption, "Running velmoran.exe");
        EXPECT_FALSE(fake.controls.busyCursor);
    }
}

// A file counts only when its RIFF chunk ends where the file does, its headers and index
// count the frames written, and each index entry names a chunk of the frames' list with the
// size and, where known, the bytes the writer gave: the library's 2 GiB stop leaves a file
// whose headers count every frame while it holds fewer, a failed write leaves zeros.
TEST(FinishedVideo, IsWholeOnlyWhenItsSizeHeadersIndexAndChunksAgreeWithTheFramesWritten) {
    TempDir dir;
    const std::vector<std::vector<std::uint8_t>> three = {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}};
    std::vector<FrameInVideo> written;
    for (const auto& frame : three) written.push_back({5, FrameFingerprint(frame)});
    const std::string whole = FakeAviLibrary::AviFile(three);
    const auto check = [&](const std::string& bytes, std::span<const FrameInVideo> frames) {
        dir.Write("v.avi", bytes);
        return IsWholeVideo(dir.File("v.avi"), frames);
    };
    const auto changed = [&](std::size_t at, const std::string& bytes) {
        return whole.substr(0, at) + bytes + whole.substr(at + bytes.size());
    };
    const std::size_t movi = whole.find("movi"), index = whole.find("idx1") + 8;
    const std::size_t secondChunk = movi + 4 + 8 + 6;  // behind the first frame's chunk and its pad byte
    EXPECT_TRUE(check(whole, written));
    EXPECT_TRUE(IsWholeVideo(dir.File("v.avi"), 3));
    EXPECT_FALSE(check(whole, std::span(written).first(2)));
    EXPECT_FALSE(check(whole.substr(0, whole.size() - 20), written));  // cut inside the index
    EXPECT_TRUE(check(whole + std::string(20, '\0'), written));  // Wine's library leaves a tail
    EXPECT_FALSE(check(whole + std::string(kAviTailBytes, '\0'), written));  // far longer than its RIFF size says
    EXPECT_FALSE(check(changed(4, std::string(1, static_cast<char>(whole[4] + 2))), written));  // shorter than it says
    EXPECT_FALSE(check(changed(0x30, "\2"), written));  // the main header's frame count
    EXPECT_FALSE(check(changed(0x8C, "\2"), written));  // the stream header's length
    EXPECT_FALSE(check(changed(index - 4, std::string(1, '\x20')), written));  // an index of two entries
    EXPECT_FALSE(check("RIFX" + whole.substr(4), written));
    EXPECT_FALSE(check(changed(secondChunk + 8, std::string(5, '\0')), written));  // frame data never written
    EXPECT_TRUE(IsWholeVideo(dir.File("v.avi"), 3));  // ... which only the bytes tell
    EXPECT_FALSE(check(changed(secondChunk + 4, "\4"), written));  // a chunk shorter than its index entry
    EXPECT_FALSE(check(changed(index + 16 + 8, "\x7F"), written));  // an entry pointing outside the frames' list
    EXPECT_FALSE(check(changed(index + 16, "01wb"), written));  // an entry of another stream
    const auto recoded = [&](const char* code) {  // every frame's chunk and index entry
        std::string bytes = whole;
        for (auto at = bytes.find("00db"); at != std::string::npos; at = bytes.find("00db", at)) bytes.replace(at, 4, code);
        return bytes;
    };
    EXPECT_TRUE(check(recoded("00dc"), written));   // compressed frames
    EXPECT_FALSE(check(recoded("01db"), written));  // the frames of a second video stream
    std::string fromFileStart = whole;  // index offsets counted from the file's start, as some writers do
    for (std::size_t entry = index + 8; entry < whole.size(); entry += 16)
        fromFileStart[entry] = static_cast<char>(fromFileStart[entry] + movi);
    EXPECT_TRUE(check(fromFileStart, written));
    std::string grown = changed(movi + 4 + 2 * 14 + 4, " ");  // the last frame's chunk and entry run past the list
    grown[index + 2 * 16 + 12] = ' ';
    EXPECT_FALSE(check(grown, written) || IsWholeVideo(dir.File("v.avi"), 3));
    written[1].bytes = 4;
    EXPECT_FALSE(check(whole, written));  // not the size the library reported
    std::vector<std::vector<std::uint8_t>> many;  // more frames than one read of the index takes
    std::vector<FrameInVideo> manyWritten;
    for (int i = 0; i < 4097; ++i) {
        many.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8)});
        manyWritten.push_back({2, FrameFingerprint(many.back())});
    }
    EXPECT_TRUE(check(FakeAviLibrary::AviFile(many), manyWritten));
    EXPECT_FALSE(check("", {}));
    EXPECT_FALSE(IsWholeVideo(dir.File("missing.avi"), 0));
}

// Frames of 16 KiB, three to a file: a recording of eight goes on in the next free names,
// positions from 0 in each file, the compressor chosen once. The disk fills while the third
// file is written: the first two stand, their frames are off the list, and the next save
// goes on with exactly the two frames not yet in a whole video.
TEST_F(SaveVideoRun, PastTheFileLimitGoesOnInFurtherFilesAndResumesAfterAFailedOne) {
    constexpr int kFrameBytes = 64 * 64 * 4;
    std::vector<std::vector<std::uint8_t>> pixels;
    for (int i = 0; i < 8; ++i) {
        BmpBuilder frame = Frame(i);
        frame.width = frame.height = 64;
        dir.Write("z" + std::to_string(i) + ".bmp", frame.File());
        fake.controls.ListAdd(dir.File("z" + std::to_string(i) + ".bmp"));
        pixels.push_back(frame.Pixels());
    }
    dir.Write("Velmoran_Cap_140509_2.avi", "an older video");
    const auto video = [&](const std::string& suffix) { return dir.File("Velmoran_Cap_140509" + suffix + ".avi"); };
    // Three frames fill a file exactly.
    const auto save = [&] {
        return SaveVideo(fake.frontEnd, avi, selection, kVideoHeaderBytes + 3 * (kFrameBytes + kFrameOverheadBytes));
    };
    const auto calls = [&](const std::string& call) { return std::count(avi.calls.begin(), avi.calls.end(), call); };
    avi.damagedFile = 2;
    std::vector<std::size_t> listedAtFlush;  // each file is on the disk before its frames go
    fake.disk.onFlush = [&] { listedAtFlush.push_back(fake.controls.list.size()); };
    const SaveResult failed = save();
    EXPECT_EQ(listedAtFlush, (std::vector<std::size_t>{8, 5}));
    EXPECT_EQ(failed.failedAt, SaveStep::FinishFile);
    EXPECT_EQ(avi.openedPaths, (std::vector<std::string>{video(""), video("_3"), video("_4")}));
    EXPECT_EQ(failed.savedFiles, (std::vector<std::string>{video(""), video("_3")}));
    EXPECT_TRUE(IsWholeVideo(video(""), 3) && IsWholeVideo(video("_3"), 3));
    ASSERT_EQ(avi.written.size(), 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(avi.written[i].start, i % 3) << i;
    EXPECT_EQ(calls("AVISaveOptions 3 1 plain"), 1);
    EXPECT_EQ(calls("AVIMakeCompressedStream plain"), 3);
    EXPECT_EQ(calls("AVIFileExit"), 1);
    EXPECT_EQ(avi.calls.back(), "AVISaveOptionsFree 1");
    EXPECT_EQ(fake.controls.list, (std::vector<std::string>{dir.File("z6.bmp"), dir.File("z7.bmp")}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{kVideoIncompleteText + "\r\n" + video("_4") + "\r\nSaved 6 frames in:\r\n" +
                                                 video("") + "\r\n" + video("_3") +
                                                 "\r\nThe other 2 frames are kept: press Save to try again. | " +
                                                 kApplicationTitle}));

    avi.damagedFile = -1;
    avi.written.clear();
    fake.messages.shown.clear();
    EXPECT_EQ(save().outcome, SaveOutcome::Saved);
    ASSERT_EQ(avi.written.size(), 2u);
    EXPECT_TRUE(avi.written[0].bytes == pixels[6] && avi.written[1].bytes == pixels[7]);
    EXPECT_EQ(fake.controls.list.size(), 2u);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Saved " + video("_4") + " | Video file saved succesfully!"}));
}

// A frame of another size (a recording made on another screen) starts a new file with its
// own format; the compressor is chosen once, and "Saved" names both files. A first frame cut
// short by a crash is left out: the next one describes the stream, and the unreadable one
// stays listed, to go with the recording. With no frame that can be read there is no video:
// "No File!", the frames kept, no file left behind.
TEST_F(SaveVideoRun, FramesOfAnotherFormatGoOnInAFileOfTheirOwnAndUnreadableOnesAreLeftOut) {
    Record(5);
    dir.Write("z0.bmp", std::string("BM cut short"));  // left out ahead of the first file
    for (int i = 3; i < 5; ++i) {
        BmpBuilder larger = Frame(i);
        larger.width = 6;
        dir.Write("z" + std::to_string(i) + ".bmp", larger.File());
    }
    EXPECT_EQ(Save(), SaveOutcome::Saved);
    const std::string first = dir.File("Velmoran_Cap_140509.avi"), second = dir.File("Velmoran_Cap_140509_2.avi");
    EXPECT_EQ(Texts().back(), "Saved " + first + "\r\n" + second + " | Video file saved succesfully!");
    EXPECT_EQ(std::count(avi.calls.begin(), avi.calls.end(), "AVISaveOptions 3 1 plain"), 1);
    EXPECT_EQ(avi.streamInfo.dwSuggestedBufferSize, 6u * 3u * 4u);
    BmpBuilder larger = Frame(3);
    larger.width = 6;
    EXPECT_EQ(avi.format, larger.InfoBlock());
    EXPECT_TRUE(IsWholeVideo(first, 2) && IsWholeVideo(second, 2));
    // The first file's frames left at once; the unreadable frame and the last file's stay.
    EXPECT_EQ(fake.controls.list, (std::vector<std::string>{dir.File("z0.bmp"), dir.File("z3.bmp"), dir.File("z4.bmp")}));
    EXPECT_EQ(fake.controls.captions.at(2), "Frame: 3 of 5");
    EXPECT_EQ(Texts().at(0), "File is not a supported bitmap format:\r\n" + dir.File("z0.bmp") + " | " + kApplicationTitle);

    fake.messages.shown.clear();
    for (const char* name : {"z3.bmp", "z4.bmp"}) dir.Write(name, std::string("not a bitmap"));
    EXPECT_EQ(Save(), SaveOutcome::Failed);
    ASSERT_EQ(Texts().size(), 4u);
    EXPECT_EQ(Texts()[3], "No File! | KO!");
    EXPECT_EQ(fake.messages.shown[3].flags, MsgBox::OkOnly | MsgBox::Exclamation);
    EXPECT_FALSE(dir.Exists("Velmoran_Cap_140509_3.avi"));
    EXPECT_EQ(fake.controls.list.size(), 3u);
}

// A save that cannot go on keeps every frame and says why: a disk without room for the first
// file (before anything is written), or a frame that cannot be read for want of memory, which
// is not damaged and so is not replaced by another frame's pixels.
TEST_F(SaveVideoRun, ASaveThatRunsOutOfRoomOrMemoryKeepsEveryFrame) {
    Record(3);
    fake.disk.freeBytes = 50'000;  // 64 KiB of headers and three frames of 102 bytes are more
    EXPECT_EQ(Save(), SaveOutcome::Failed);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"The disk has too little room for the video: it needs 1 MB, and 0 MB "
                                                 "are free.\r\n" + kFramesKeptText + " | " + kApplicationTitle}));
    EXPECT_TRUE(avi.calls.empty());

    fake.disk.freeBytes.reset();
    fake.messages.shown.clear();
    BmpBuilder large = Frame(1);
    large.width = large.height = 64;
    dir.Write("z1.bmp", large.File());
    SaveOutcome outcome = SaveOutcome::Saved;
    {
        testing::FailingAllocations scarce(large.Pixels().size());
        outcome = Save();
        EXPECT_EQ(scarce.Failed(), 1);
    }
    EXPECT_EQ(outcome, SaveOutcome::Failed);
    EXPECT_EQ(avi.written.size(), 1u);
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts()[1], "Error! | KO!");
    EXPECT_TRUE(FramesKept(3));
    EXPECT_EQ(fake.controls.list.size(), 3u);
    EXPECT_FALSE(dir.Exists("Velmoran_Cap_140509.avi"));
}

TEST_F(SaveVideoRun, ALaterFrameThatFailsToLoadRepeatsThePreviousOne) {
    Record(3);
    std::remove(dir.File("z1.bmp").c_str());
    EXPECT_EQ(Save(), SaveOutcome::Saved);
    ASSERT_EQ(avi.written.size(), 3u);
    EXPECT_EQ(avi.written[1].start, 1);
    EXPECT_EQ(avi.written[1].bytes, Frame(0).Pixels());
    EXPECT_EQ(avi.written[2].bytes, Frame(2).Pixels());
    EXPECT_EQ(shownAt, (std::vector<int>{0, 2}));  // the preview keeps frame 0 at position 1
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts()[0], "File does not exist:\r\n" + dir.File("z1.bmp") + " | Velmoran Front-End2");
}

TEST_F(SaveVideoRun, AnEmptyListCreatesNothingAndAsksNothing) {
    EXPECT_EQ(Save(), SaveOutcome::NothingToSave);
    EXPECT_TRUE(avi.calls.empty());
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(fake.controls.timerLog.empty());
    EXPECT_TRUE(shownAt.empty());
    EXPECT_EQ(fake.controls.caption, "Running velmoran.exe");
    EXPECT_TRUE(dir.Exists("Zelda.bmp"));
}

TEST_F(SaveVideoRun, WithoutACaptionToRestoreKeepsTheOneItFound) {
    Record(1);
    fake.state.cCaption.clear();
    fake.controls.caption = "Running velmoran_old_gfx.exe";
    ASSERT_EQ(Save(), SaveOutcome::Saved);
    EXPECT_EQ(fake.controls.caption, "Running velmoran_old_gfx.exe");
}

TEST(VideoFileNames, FollowTheTimeOfDayAndTakeASuffixWhenTaken) {
    EXPECT_EQ(VideoFileName(14 * 3600 + 5 * 60 + 9), "Velmoran_Cap_140509.avi");
    EXPECT_EQ(VideoFileName(0), "Velmoran_Cap_000000.avi");
    EXPECT_EQ(VideoFileName(86399), "Velmoran_Cap_235959.avi");
    EXPECT_EQ(VideoFileName(86400), "Velmoran_Cap_235959.avi");
    EXPECT_EQ(VideoFileName(3661, 2), "Velmoran_Cap_010101_2.avi");

    TempDir dir;
    std::filesystem::create_directory(dir.path() / "Velmoran_Cap_000001.avi");  // a folder takes the name too
    EXPECT_EQ(FreeVideoPath(dir.str(), 1), dir.File("Velmoran_Cap_000001_2.avi"));
    EXPECT_EQ(FreeVideoPath(dir.str(), 2), dir.File("Velmoran_Cap_000002.avi"));
}

}  // namespace
}  // namespace vfe
