#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace vfe {

// The system's Print Screen copy of the active window, taken through the clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard, so an older picture cannot pass for the new one.
    virtual void Empty() = 0;
    // One synthesized key-down of Print Screen with scan code 1: the active window only.
    virtual void PressPrintScreen() = 0;
    // The clipboard's picture as a packed device-independent bitmap (header, colour
    // table or masks, pixels); nothing when it holds no picture.
    virtual std::optional<std::vector<std::uint8_t>> PackedPicture() = 0;
    virtual void Pause(unsigned milliseconds) = 0;
};

}  // namespace vfe
