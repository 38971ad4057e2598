#include "capture/Snapshot.h"

#include <cstdint>
#include <limits>

#include "capture/PackedDib.h"
#include "emulator/EmulatorIdentity.h"
#include "emulator/WindowLookup.h"
#include "video/BmpFile.h"

namespace vfe {

std::string SnapshotFileName(int number) { return "Snapshot" + std::to_string(number) + ".bmp"; }

void Snapshot::cmdSnapshot_Click() {
    auto& state = fe_.state;
    const WindowHandle emulator = LookUpWindow(fe_, std::string(kEarlierBuild.caption));
    if (!emulator) {
        fe_.messages.Show(kNotRunningText, kApplicationTitle, MsgBox::OkOnly);
        return;
    }
    if (numbersUsedUp_) {
        fe_.messages.Show(kSnapshotNumbersUsedUpText, kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
        return;
    }
    fe_.windows.ShowWindow(emulator, ShowCode::Minimized);
    fe_.windows.ShowWindow(emulator, state.ShowMode);

    const std::string path = SnapshotFileName(state.SnapshotNumber);
    if (!SaveWindowPicture(emulator, path)) return;
    if (state.SnapshotNumber == std::numeric_limits<std::int16_t>::max())
        numbersUsedUp_ = true;
    else
        ++state.SnapshotNumber;
}

bool Snapshot::SaveWindowPicture(WindowHandle window, const std::string& path) {
    clipboard_.Empty();
    clipboard_.PressPrintScreen();
    // The system copies the window after the key event; give it a moment.
    std::optional<std::vector<std::uint8_t>> picture = clipboard_.PackedPicture();
    for (int poll = 1; !picture && poll < kClipboardPolls; ++poll) {
        clipboard_.Pause(kClipboardPollMilliseconds);
        picture = clipboard_.PackedPicture();
    }
    // Where Print Screen puts nothing on the clipboard (some platforms leave the key to
    // the desktop), the window's picture is taken from the screen the same way.
    if (!picture) picture = screen_.WindowPicture(window);
    const auto split = picture ? SplitPackedDib(*picture) : std::nullopt;
    if (!split) {
        fe_.messages.Show(kNoWindowPictureText, kApplicationTitle, MsgBox::OkOnly | MsgBox::Exclamation);
        return false;
    }
    if (!ReplaceWithBmpFile(files_, path, split->bitmapInfo, split->bits)) {
        fe_.messages.Show(kSnapshotNotWrittenText + "\r\n" + path, kApplicationTitle,
                          MsgBox::OkOnly | MsgBox::Exclamation);
        return false;
    }
    return true;
}

}  // namespace vfe
