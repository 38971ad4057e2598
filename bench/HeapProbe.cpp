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

extern "C" __declspec(dllexport) LRESULT CALLBACK HeapProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    const UINT probeMessage = RegisterWindowMessageA(kHeapProbeMessage);  // the same atom every time
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message && message->message == probeMessage) {
        // Opened and mapped before the walk, so the block's own bookkeeping is not in it.
        HANDLE block = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kHeapProbeFigures);
        void* view = block ? MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(HeapFigures)) : nullptr;
        if (view) {
            const HeapFigures figures = MeasureHeaps();
            *static_cast<HeapFigures*>(view) = figures;
            UnmapViewOfFile(view);
        }
        if (block) CloseHandle(block);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
