#pragma once

namespace vfe {

// The local time of day.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, 0 to 86399.
    virtual int SecondsOfDay() = 0;
};

}  // namespace vfe
