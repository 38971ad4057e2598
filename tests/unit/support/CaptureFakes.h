#pragma once
// Fakes of the capture pictures and the clipboard. Each records its calls in order.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "capture/CaptureServices.h"
#include "platform/Clipboard.h"
#include "platform/ScreenCapture.h"
#include "video/SaveVideo.h"

namespace vfe::testing {

// A capture picture of 2 x 2 pixels at 32 bits; "grabbing" writes the grab count into
// its pixels, so each frame file can be told apart.
class FakeScreenCapture final : public ScreenCapture {
public:
    FakeScreenCapture();

    bool CreateCapturePicture(Size outerSize) override;
    void DestroyCapturePicture() override;
    bool HasCapturePicture() const override { return exists; }
    bool CopyScreenToCapturePicture(Size area) override;
    void ShowCapturePictureInPreview() override { calls.push_back("preview capture"); }
    std::optional<BitmapBytes> CapturePictureBytes() const override;
    bool ShowFileInPreview(const std::string& path) override;
    bool ShowBitmapInPreview(BitmapBytes bitmap) override {
        calls.push_back("preview bytes");
        previewFile.clear();
        previewPixels.assign(bitmap.bits.begin(), bitmap.bits.end());
        return true;
    }
    std::optional<std::vector<std::uint8_t>> WindowPicture(WindowHandle window) override {
        calls.push_back("window picture " + std::to_string(window));
        return windowPicture;
    }

    bool exists = false;
    bool failCreate = false;
    bool failCopy = false;  // the screen cannot be copied
    int grabs = 0;
    std::vector<std::string> calls;          // "create 1028x772", "copy 1024x768", "preview capture", ...
    std::vector<std::string> unloadable;     // files ShowFileInPreview refuses
    std::string previewFile;                 // the file the preview shows, empty for none
    std::vector<std::uint8_t> previewPixels; // what ShowBitmapInPreview was last given
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> pixels;
    std::optional<std::vector<std::uint8_t>> windowPicture;  // what WindowPicture gives
};

class FakeClipboard final : public Clipboard {
public:
    void Empty() override { calls.push_back("empty"); }
    void PressPrintScreen() override { calls.push_back("print screen"); }
    std::optional<std::vector<std::uint8_t>> PackedPicture() override {
        calls.push_back("read");
        if (pictures.empty()) return std::nullopt;
        auto picture = pictures.front();
        if (pictures.size() > 1) pictures.pop_front();
        return picture;
    }
    void Pause(unsigned milliseconds) override { calls.push_back("pause " + std::to_string(milliseconds)); }

    // Given by successive reads; the last one stays.
    std::deque<std::optional<std::vector<std::uint8_t>>> pictures;
    std::vector<std::string> calls;
};

// The frame list's owner as the video writer meets it: notes the list's selection and the
// pixels each time the writer hands it the selected frame, and takes saved frames off the list.
struct SelectionLog final : FrameListSelection {
    explicit SelectionLog(MainWindowControls& controls) : controls(controls) {}
    void ShowSelectedFrame(BitmapBytes frame) override {
        shownAt.push_back(controls.ListIndex());
        shownPixels.emplace_back(frame.bits.begin(), frame.bits.end());
    }
    void FramesInVideo(int first, int count) override {
        for (int i = 0; i < count; ++i) controls.ListRemove(first);
    }
    MainWindowControls& controls;
    std::vector<int> shownAt;
    std::vector<std::vector<std::uint8_t>> shownPixels;
};

// A video writer that writes nothing: it counts its runs, runs `onSave` (to look at the
// window as the writer finds it) and answers with `outcome`.
class FakeVideoWriter final : public VideoWriter {
public:
    SaveResult SaveVideo(FrameListSelection& list) override {
        ++saves;
        lastList = &list;
        if (onSave) onSave();
        return {outcome, SaveStep::None, {}, {}, 0};
    }
    std::string MissingLibraryPart() override { return missingLibraryPart; }
    SaveOutcome outcome = SaveOutcome::Saved;
    std::string missingLibraryPart;
    int saves = 0;
    FrameListSelection* lastList = nullptr;  // who would show the frames the writer reads
    std::function<void()> onSave;
};

// The capture services of the main window over fakes.
struct FakeCapture {
    FakeScreenCapture screen;
    FakeClipboard clipboard;
    FakeVideoWriter writer;
    RenameFileReplace files;
    CaptureServices Services() { return {screen, clipboard, writer, files}; }
};


// ---- definitions (header-only, so every program that uses the fakes links) ----


namespace capture_fakes_detail {
inline void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}
inline void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}
inline std::vector<std::uint8_t> InfoHeader32(int width, int height) {
    std::vector<std::uint8_t> header(40, 0);
    Put32(header, 0, 40);
    Put32(header, 4, static_cast<std::uint32_t>(width));
    Put32(header, 8, static_cast<std::uint32_t>(height));
    Put16(header, 12, 1);
    Put16(header, 14, 32);
    Put32(header, 20, static_cast<std::uint32_t>(width * height * 4));
    return header;
}
}  // namespace capture_fakes_detail

inline FakeScreenCapture::FakeScreenCapture() : info(capture_fakes_detail::InfoHeader32(2, 2)), pixels(16, 0) {}

inline bool FakeScreenCapture::CreateCapturePicture(Size outerSize) {
    calls.push_back("create " + std::to_string(outerSize.width) + "x" + std::to_string(outerSize.height));
    if (failCreate) return false;
    exists = true;
    return true;
}

inline void FakeScreenCapture::DestroyCapturePicture() {
    calls.push_back("destroy");
    exists = false;
}

inline bool FakeScreenCapture::CopyScreenToCapturePicture(Size area) {
    calls.push_back("copy " + std::to_string(area.width) + "x" + std::to_string(area.height));
    if (failCopy) return false;
    ++grabs;
    std::fill(pixels.begin(), pixels.end(), static_cast<std::uint8_t>(grabs));
    return true;
}

inline std::optional<BitmapBytes> FakeScreenCapture::CapturePictureBytes() const {
    if (!exists) return std::nullopt;
    return BitmapBytes{info, pixels};
}

inline bool FakeScreenCapture::ShowFileInPreview(const std::string& path) {
    calls.push_back("preview " + path);
    if (std::find(unloadable.begin(), unloadable.end(), path) != unloadable.end()) return false;
    previewFile = path;
    return true;
}

// A packed 32-bit bitmap of width x height whose pixel bytes all hold `fill`.
inline std::vector<std::uint8_t> PackedBitmap32(int width, int height, std::uint8_t fill) {
    const auto header = capture_fakes_detail::InfoHeader32(width, height);
    std::vector<std::uint8_t> packed(header.size() + static_cast<std::size_t>(width * height * 4), fill);
    std::copy(header.begin(), header.end(), packed.begin());
    capture_fakes_detail::Put32(packed, 20, 0);  // the clipboard may leave the image size out
    return packed;
}

}  // namespace vfe::testing
