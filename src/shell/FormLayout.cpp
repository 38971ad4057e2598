#include "shell/FormLayout.h"

#include "resources/Version.h"

#include <array>
#include <stdexcept>

namespace vfe {

namespace {

constexpr FontDescription kDefaultFont{"MS Sans Serif", 8.25, false, false};
constexpr FontDescription kScreenTitleFont{"Arial", 26.25, true, true};
constexpr FontDescription kCaptureTitleFont{"Arial", 12, true, true};
constexpr std::uint32_t kBlack = Rgb(0, 0, 0);
constexpr std::uint32_t kGreen = Rgb(0, 192, 0);
constexpr std::uint32_t kDarkGreen = Rgb(0, 128, 0);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr auto kNone = std::nullopt;

using K = ControlKind;
using C = Control;

constexpr std::array<ControlLayout, 17> kLayout{{
    {C::pic0, K::PictureBox, "pic(0)", "", 8, 296, 1028, 772, 16, true, kNone, kSystemColour, kDefaultFont, ""},
    {C::cmdZoomIn, K::Button, "cmdZoomIn", "+", 8, 262, 19, 19, 15, true, kNone, kSystemColour, kDefaultFont, ""},
    {C::cmdZoomOut, K::Button, "cmdZoomOut", "-", 28, 262, 19, 19, 14, true, kNone, kSystemColour, kDefaultFont, ""},
    {C::Text1, K::TextBox, "Text1", "1", 54, 262, 27, 19, 13, true, kNone, kSystemColour, kDefaultFont, ""},
    {C::Check1, K::CheckBox, "Check1", "Freeze", 220, 264, 53, 15, 12, true, kNone, kSystemColour, kDefaultFont, ""},
    {C::Check2, K::CheckBox, "Check2", "Stop", 166, 264, 47, 15, 11, true, kNone, kSystemColour, kDefaultFont, ""},
    {C::fra, K::Frame, "fra", "Frame1", 388, 292, 139, 205, 4, true, kNone, kSystemColour, kDefaultFont, ""},
    {C::lst, K::ListBox, "lst", "", 0, 40, 139, 173, 6, true, C::fra, kSystemColour, kDefaultFont, ""},
    {C::cmd, K::Button, "cmd", "Save", 0, 0, 139, 17, 5, false, C::fra, kSystemColour, kDefaultFont, ""},
    {C::lbl2, K::Label, "lbl(2)", "Capture r 1.0", 12, 72, 96, 18, 10, true, C::fra, kBlack, kCaptureTitleFont, ""},
    {C::lbl1, K::Label, "lbl(1)", "Screen", 8, 30, 115, 40, 9, true, C::fra, kGreen, kScreenTitleFont, ""},
    {C::lbl0, K::Label, "lbl(0)", "Screen", 10, 32, 115, 40, 8, true, C::fra, kDarkGreen, kScreenTitleFont, ""},
    {C::lbl3, K::Label, "lbl(3)", "Capture r 1.0", 14, 74, 96, 18, 7, true, C::fra, kDarkGreen, kCaptureTitleFont, ""},
    {C::cmdRecord, K::Button, "cmdRecord", "&Record", 388, 532, 105, 25, 3, true, kNone, kSystemColour, kDefaultFont, ""},
    {C::cmdSnapshot, K::Button, "cmdSnapshot", "&Take Snapshot", 224, 232, 105, 25, 0, false, kNone, kSystemColour,
     kDefaultFont, "Disabled for bugs"},
    {C::lblCopyright1, K::Label, "lblCopyright(1)", VFE_COPYRIGHT, 8, 200, 151, 13, 2, true, kNone, kWhite,
     {"MS Sans Serif", 8.25, true, false}, ""},
    {C::lblCopyright0, K::Label, "lblCopyright(0)", "Velmoran Front-End", 136, 144, 163, 20, 1, true, kNone, kWhite,
     {"MS Sans Serif", 12, true, false}, ""},
}};

}  // namespace

std::span<const ControlLayout> MainWindowLayout() { return kLayout; }

const ControlLayout& LayoutOf(Control id) {
    for (const auto& entry : kLayout)
        if (entry.id == id) return entry;
    throw std::out_of_range("no such control");
}

namespace {

bool LiesOutsideClientArea(const ControlLayout& entry) {
    if (entry.container) return LiesOutsideClientArea(LayoutOf(*entry.container));
    return entry.left >= kMainWindowClientSize.width || entry.top >= kMainWindowClientSize.height ||
           entry.left + entry.width <= 0 || entry.top + entry.height <= 0;
}

}  // namespace

bool MadeAfterFirstShow(const ControlLayout& entry) {
    return entry.id != Control::pic0 && LiesOutsideClientArea(entry);
}

}  // namespace vfe
