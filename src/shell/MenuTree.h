#pragma once
#include <optional>
#include <span>
#include <string_view>

#include "platform/MainWindowIds.h"

namespace vfe {

// One item of the main window's menu bar; a separator has an empty caption.
struct MenuEntry {
    MenuItem id;
    std::string_view caption;
    std::optional<MenuItem> parent;  // none for the top level
    bool checked;                    // checked when the window opens
    bool separator;
};

// In menu order: every parent comes before its items.
std::span<const MenuEntry> MainMenuTree();

}  // namespace vfe
