#include "support/Fakes.h"

#include "shell/FormLayout.h"
#include "shell/MenuTree.h"

namespace vfe::testing {

FakeControls::FakeControls() {
    for (const auto& item : MainMenuTree()) menuChecks[item.id] = item.checked;
    for (const auto& entry : MainWindowLayout()) {
        visible[entry.id] = entry.visible;
        enabled[entry.id] = true;
        texts[entry.id] = std::string(entry.caption);
    }
}

Size FakeControls::ControlSize(Control control) const {
    const auto found = sizes.find(control);
    if (found != sizes.end()) return found->second;
    return {LayoutOf(control).width, LayoutOf(control).height};
}

std::string FakeControls::ControlText(Control control) const {
    const auto found = texts.find(control);
    return found == texts.end() ? std::string() : found->second;
}

int FakeControls::CheckValue(Control control) const {
    const auto found = checks.find(control);
    return found == checks.end() ? 0 : found->second;
}

void FakeControls::ListRemove(int index) {
    if (index < 0 || index >= ListCount()) return;
    list.erase(list.begin() + index);
    if (listIndex >= ListCount()) listIndex = -1;
}

std::string FakeControls::ListItem(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return list[static_cast<size_t>(index)];
}

}  // namespace vfe::testing
