#pragma once
#include "platform/Clock.h"

namespace vfe::win32 {

// The system's local time of day, and its tick count.
class Win32Clock final : public Clock {
public:
    int SecondsOfDay() override;
    std::int64_t Milliseconds() override;
};

}  // namespace vfe::win32
