#pragma once
// What the heaps of a process hold: every busy block of every heap, walked under each
// heap's lock. Measured from inside the process it describes. The steadiness benchmark
// has the system load bench_heap_probe.dll into the front-end as a message hook of its
// window's thread; a registered message sent to the window then runs the walk on that
// thread, between two of its messages, and the figures come back through a named
// shared memory block. The product carries no code for it.
#include <windows.h>

#include <cstdint>

struct HeapFigures {
    std::uint64_t busyBytes = 0;
    std::uint64_t busyBlocks = 0;
    std::uint32_t heaps = 0;
    std::uint32_t done = 0;  // 1 once the walk has finished
};

// The walk, in the calling process.
HeapFigures MeasureHeaps();

inline constexpr char kHeapProbeMessage[] = "VelmoranBench.MeasureHeaps";
inline constexpr char kHeapProbeFigures[] = "VelmoranBench.HeapFigures";

// The hook procedure (WH_CALLWNDPROC): walks the heaps when the probe's message arrives.
extern "C" __declspec(dllexport) LRESULT CALLBACK HeapProbeHook(int code, WPARAM wParam, LPARAM lParam);
