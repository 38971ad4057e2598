#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/MainWindowControls.h"

namespace vfe {

// A person's pace: due at most once every `kPersonPaceMs`, the first time at once.
class Pace {
public:
    static constexpr std::int64_t kPersonPaceMs = 100;
    explicit Pace(Clock& clock) : clock_(clock) {}
    bool Due();
    // The next Due() is `kPersonPaceMs` from now.
    void Restart() { lastAt_ = clock_.Milliseconds(); }

private:
    Clock& clock_;
    std::optional<std::int64_t> lastAt_;
};

// A caption that changes faster than anyone can read (a frame count, a save's progress) goes
// to the window at a person's pace: at most once every `kPersonPaceMs`, the texts between
// held back; the one held last is shown when asked, so that the caption ends exact.
class PacedCaption {
public:
    PacedCaption(MainWindowControls& form, Clock& clock) : form_(form), pace_(clock) {}

    // Shows `text` when the last one shown is `Pace::kPersonPaceMs` old or more (or none was),
    // and holds it otherwise.
    void Show(std::string text);
    // Shows the text held back, if any.
    void ShowHeld();

private:
    MainWindowControls& form_;
    Pace pace_;
    std::optional<std::string> held_;
};

}  // namespace vfe
