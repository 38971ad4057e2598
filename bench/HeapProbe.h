#pragma once
// What the heaps of a process hold: every busy block of every heap, walked under each
// heap's lock. Measured from inside the process it describes; the steadiness benchmark
// loads this code into the front-end (bench_heap_probe.dll) and runs MeasureHeaps on a
// thread of its own, so the product carries no code for it.
#include <windows.h>

#include <cstdint>

struct HeapFigures {
    std::uint64_t busyBytes = 0;
    std::uint64_t busyBlocks = 0;
    std::uint32_t heaps = 0;
    std::uint32_t done = 0;  // 1 once the walk has finished
};

// A thread start routine: `figures` points to a HeapFigures in the measured process.
extern "C" __declspec(dllexport) DWORD WINAPI MeasureHeaps(void* figures);
