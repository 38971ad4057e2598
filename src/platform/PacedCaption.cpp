#include "platform/PacedCaption.h"

#include <utility>

namespace vfe {

bool Pace::Due() {
    const std::int64_t now = clock_.Milliseconds();
    if (lastAt_ && now - *lastAt_ < kPersonPaceMs) return false;
    lastAt_ = now;
    return true;
}

void PacedCaption::Show(std::string text) {
    if (!pace_.Due()) {
        held_ = std::move(text);
        return;
    }
    held_.reset();
    form_.SetCaption(text);
}

void PacedCaption::ShowHeld() {
    if (!held_) return;
    pace_.Restart();
    form_.SetCaption(*std::exchange(held_, std::nullopt));
}

}  // namespace vfe
