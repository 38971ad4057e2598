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

// The access key of a menu item's or a control's caption: the character after its one
// '&' ("&&" stands for an ampersand), in lower case; 0 when it has none.
char Mnemonic(std::string_view caption);

}  // namespace vfe
