#pragma once
// What the heaps of a process hold: every busy block of every heap, walked under each
// heap's lock. Measured from inside the process it describes: the steadiness benchmark
// runs it inside the front-end through bench_probe.dll (see Probe.h), and the list box's
// peer runs it in its own process.
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
