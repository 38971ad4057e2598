#include "HeapProbe.h"

HeapFigures MeasureHeaps() {
    HeapFigures result;
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                result.busyBytes += entry.cbData;
                result.busyBlocks += 1;
            }
        }
        HeapUnlock(heaps[i]);
        result.heaps += 1;
    }
    result.done = 1;
    return result;
}
