#pragma once
#include "platform/Clock.h"

namespace vfe::win32 {

// The system's local time of day.
class Win32Clock final : public Clock {
public:
    int SecondsOfDay() override;
};

}  // namespace vfe::win32
