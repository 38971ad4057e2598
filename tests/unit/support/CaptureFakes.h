#pragma once
// Fakes of the capture pictures and the clipboard. Each records its calls in order.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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
    void CopyScreenToCapturePicture(Size area) override;
    void ShowCapturePictureInPreview() override { calls.push_back("preview capture"); }
    std::optional<BitmapBytes> CapturePictureBytes() const override;
    bool ShowFileInPreview(const std::string& path) override;

    bool exists = false;
    bool failCreate = false;
    int grabs = 0;
    std::vector<std::string> calls;          // "create 1028x772", "copy 1024x768", "preview capture", ...
    std::vector<std::string> unloadable;     // files ShowFileInPreview refuses
    std::string previewFile;                 // the file the preview shows, empty for none
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> pixels;
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

// The capture services of the main window over fakes; the video writer records each run
// and answers with `outcome`.
struct FakeCapture {
    FakeScreenCapture screen;
    FakeClipboard clipboard;
    SaveOutcome outcome = SaveOutcome::Saved;
    int saves = 0;
    std::function<void()> lastSelectionHandler;
    std::function<SaveOutcome(const std::function<void()>&)> Writer() {
        return [this](const std::function<void()>& lst_Click) {
            ++saves;
            lastSelectionHandler = lst_Click;
            return outcome;
        };
    }
};

// A packed 32-bit bitmap of width x height whose pixel bytes all hold `fill`.
std::vector<std::uint8_t> PackedBitmap32(int width, int height, std::uint8_t fill);

}  // namespace vfe::testing
