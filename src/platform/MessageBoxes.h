#pragma once
#include <string>

namespace vfe {

// Button and icon flags; the values are the platform's own, so they pass through unchanged.
namespace MsgBox {
constexpr unsigned OkOnly = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned YesNo = 0x4;
constexpr unsigned Critical = 0x10;
constexpr unsigned Exclamation = 0x30;
constexpr unsigned Information = 0x40;
}  // namespace MsgBox

enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// The title every box carries that names none of its own.
inline const std::string kApplicationTitle = "Velmoran Front-End2";

// Modal message boxes over the main window.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Answer Show(const std::string& text, const std::string& title, unsigned flags) = 0;
};

}  // namespace vfe
