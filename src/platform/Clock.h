#pragma once
#include <cstdint>

namespace vfe {

// The local time of day, and a steady count of time for pacing what the person sees.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, 0 to 86399.
    virtual int SecondsOfDay() = 0;
    // Milliseconds from some fixed moment; never goes back.
    virtual std::int64_t Milliseconds() = 0;
};

}  // namespace vfe
