#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/MainWindowIds.h"
#include "platform/Types.h"

namespace vfe {

enum class ControlKind { PictureBox, Button, TextBox, CheckBox, Frame, ListBox, Label };

struct FontDescription {
    std::string_view face;
    double points;
    bool bold;
    bool italic;
};

constexpr std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return r | (g << 8) | (static_cast<std::uint32_t>(b) << 16);
}
constexpr std::uint32_t kSystemColour = 0xFFFFFFFFu;  // the control keeps the system's colours

// One control of the main window as laid out: place and size in pixels relative to its
// container, tab index, text, colour, font and tool tip.
struct ControlLayout {
    Control id;
    ControlKind kind;
    std::string_view name;
    std::string_view caption;
    int left, top, width, height;
    int tabIndex;
    bool visible;
    std::optional<Control> container;
    std::uint32_t textColour;
    FontDescription font;
    std::string_view toolTip;
};

inline constexpr std::string_view kMainWindowCaption = "Velmoran Front-End (by Quorvex)";
inline constexpr Size kMainWindowClientSize{498, 215};
inline constexpr std::uint32_t kMainWindowBackColour = Rgb(128, 128, 128);

// The controls in creation order.
std::span<const ControlLayout> MainWindowLayout();
const ControlLayout& LayoutOf(Control id);

// Whether the control is made only after the window first shows (and before any input is
// handled): so are the ones that lie wholly outside the client area as laid out, a child
// where its container lies, except the preview picture, which the load sizes for the screen.
bool MadeAfterFirstShow(const ControlLayout& entry);

}  // namespace vfe
