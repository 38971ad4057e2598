#include "region/RegionSwitcher.h"

#include "platform/FileFacts.h"
#include "platform/Paths.h"
#include "region/FlashImage.h"

namespace vfe {

namespace {
const std::string kWrongImageText = "Incorrect Flash Bios!";
const std::string kWrongImageTitle = "Quorvex";
}  // namespace

void RegionSwitcher::SwitchTo(Region region) {
    const RegionRow& chosen = RowOf(region);
    MoveCheckMarkTo(chosen);
    if (!PatchFlashImage(chosen)) return;
    // A store that cannot be written leaves the old value; nothing to tell the user.
    fe_.settings.SaveSetting(kApplicationTitle, std::string(kRegionSection), std::string(kRegionKey),
                             std::string(chosen.saved));
}

void RegionSwitcher::MoveCheckMarkTo(const RegionRow& chosen) {
    for (const auto& row : kRegionTable)
        if (row.region != chosen.region) fe_.form.SetMenuChecked(row.menuItem, false);
    fe_.form.SetMenuChecked(chosen.menuItem, true);
}

bool RegionSwitcher::PatchFlashImage(const RegionRow& chosen) {
    const std::string path = InAppDir(fe_.appDir, kFlashFileName);
    if (!FileExist(path)) return false;  // no image, or an empty one: silently nothing

    const auto length = FileLength(path);
    if (!length) return false;
    if (*length != fe_.state.FlashSize) {
        fe_.messages.Show(kWrongImageText, kWrongImageTitle, MsgBox::OkOnly | MsgBox::Critical);
        return false;
    }
    const RegionBlock block = RegionBlockFor(chosen);
    return OverwriteInPlace(path, fe_.state.FlashSize, kRegionBlockOffset, block);
}

}  // namespace vfe
