#pragma once
// Measuring the front-end from inside it, with no code of its own for that. The driver has
// the system load bench_probe.dll into the front-end as a message hook of its window's
// thread (WH_CALLWNDPROC); a registered message sent to the window then runs the asked
// work on that thread, between two of its messages, and the figures come back through a
// named shared memory block.
#include <windows.h>

#include <cstdint>

#include "HeapProbe.h"

inline constexpr char kProbeMessage[] = "VelmoranBench.Probe";
inline constexpr char kProbeBlock[] = "VelmoranBench.ProbeBlock";

// What the probe message (its wParam) asks for.
enum class ProbeCommand : WPARAM { MeasureHeaps = 1, StartTimingTicks = 2, StopTimingTicks = 3 };

// The work of the window's timer ticks: each WM_TIMER timed from the moment the window's
// procedure is handed it to the moment that procedure returns, while timing is on.
struct TickFigures {
    static constexpr std::uint32_t kCapacity = 8192;
    std::uint32_t timing = 0;  // 1 while the window's procedure is wrapped
    std::uint32_t ticks = 0;   // ticks seen; only the first kCapacity keep their times
    double milliseconds[kCapacity] = {};
};

struct ProbeBlock {
    HeapFigures heaps;
    TickFigures ticks;
};

// The hook procedure: does what the probe message asks.
extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam);
