#pragma once
// The message boxes of emulator control, word for word as users know them.
#include <string_view>

#include "platform/MessageBoxes.h"

namespace vfe::EmulatorMessages {

struct BoxText {
    std::string_view title;
    std::string_view text;
    unsigned flags;
};

inline constexpr BoxText kAlreadyRunning{
    "Velmoran already running!",
    "Velmoran has already running.\r\nDo you want to close and open it again?",
    MsgBox::YesNo,
};

inline constexpr BoxText kEmulatorNotFound{
    "Velmoran not found",
    "Velmoran not found.\r\nBe sure that you put Velmoran FE2 in Velmoran Alpha v0.2a directory.",
    MsgBox::OkOnly | MsgBox::Critical,
};

inline constexpr BoxText kNotRunning{
    "Velmoran is not running!",
    "Velmoran is not running!",
    MsgBox::OkOnly | MsgBox::Exclamation,
};

// The middle line keeps its trailing blank.
inline constexpr BoxText kVmsBrowserNotFound{
    "VMS Browser not found",
    "VMS Browser not found.\r\n"
    "Be sure that you put Velmoran FE2 in Velmoran Alpha v0.2a directory \r\n"
    "and that you have vmsbrowser application on this directory.",
    MsgBox::OkOnly | MsgBox::Critical,
};

inline Answer Ask(MessageBoxes& messages, const BoxText& box) {
    return messages.Show(std::string(box.text), std::string(box.title), box.flags);
}

}  // namespace vfe::EmulatorMessages
