// bench_probe.dll: runs inside the front-end, on its window's thread (see Probe.h).
#include <memory>
#include <utility>

#include "Probe.h"

namespace {

// The shared block, opened and mapped for as long as it is needed.
class MappedBlock {
public:
    MappedBlock() : mapping_(OpenFileMappingA(FILE_MAP_WRITE, FALSE, kProbeBlock)) {
        if (mapping_)
            view_ = static_cast<ProbeBlock*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(ProbeBlock)));
    }
    ~MappedBlock() {
        if (view_) UnmapViewOfFile(view_);
        if (mapping_) CloseHandle(mapping_);
    }
    MappedBlock(const MappedBlock&) = delete;
    MappedBlock& operator=(const MappedBlock&) = delete;
    ProbeBlock* get() const { return view_; }

private:
    HANDLE mapping_;
    ProbeBlock* view_ = nullptr;
};

// While ticks are timed, the window's procedure is ours, wrapped around its own one.
struct TickTiming {
    HWND window = nullptr;
    WNDPROC own = nullptr;
    bool wide = false;
    std::unique_ptr<MappedBlock> block;
    HMODULE pin = nullptr;  // keeps this DLL loaded while the window calls into it
} timing;

LRESULT CallOwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return timing.wide ? CallWindowProcW(timing.own, window, message, wParam, lParam)
                       : CallWindowProcA(timing.own, window, message, wParam, lParam);
}

double MillisecondsBetween(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK TimedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER || !timing.block) return CallOwnProcedure(window, message, wParam, lParam);
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    const LRESULT result = CallOwnProcedure(window, message, wParam, lParam);
    QueryPerformanceCounter(&end);
    // Timing may have stopped meanwhile, in a message loop of the tick's own.
    if (timing.block) {
        TickFigures& ticks = timing.block->get()->ticks;
        if (ticks.ticks < TickFigures::kCapacity) ticks.milliseconds[ticks.ticks] = MillisecondsBetween(begin, end);
        ++ticks.ticks;
    }
    return result;
}

LONG_PTR SetProcedure(LONG_PTR procedure) {
    return timing.wide ? SetWindowLongPtrW(timing.window, GWLP_WNDPROC, procedure)
                       : SetWindowLongPtrA(timing.window, GWLP_WNDPROC, procedure);
}

void StartTimingTicks(HWND window) {
    if (timing.block) return;
    auto block = std::make_unique<MappedBlock>();
    if (!block->get()) return;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&TimedProcedure), &timing.pin);
    timing.window = window;
    timing.wide = IsWindowUnicode(window) != FALSE;
    timing.own = reinterpret_cast<WNDPROC>(SetProcedure(reinterpret_cast<LONG_PTR>(&TimedProcedure)));
    if (!timing.own) {
        if (timing.pin) FreeLibrary(std::exchange(timing.pin, nullptr));
        return;
    }
    block->get()->ticks.ticks = 0;
    block->get()->ticks.timing = 1;
    timing.block = std::move(block);
}

void StopTimingTicks() {
    if (!timing.block) return;
    const std::unique_ptr<MappedBlock> block = std::move(timing.block);
    // Put back only while ours is still the window's procedure; otherwise someone wrapped it
    // after us, and this DLL stays pinned.
    const LONG_PTR current = timing.wide ? GetWindowLongPtrW(timing.window, GWLP_WNDPROC)
                                         : GetWindowLongPtrA(timing.window, GWLP_WNDPROC);
    if (current == reinterpret_cast<LONG_PTR>(&TimedProcedure)) {
        SetProcedure(reinterpret_cast<LONG_PTR>(timing.own));
        if (timing.pin) FreeLibrary(std::exchange(timing.pin, nullptr));
    }
    block->get()->ticks.timing = 0;
}

void MeasureHeapsInto() {
    // Mapped before the walk, so the block's own bookkeeping is not in it.
    const MappedBlock block;
    if (block.get()) block.get()->heaps = MeasureHeaps();
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    const UINT probeMessage = RegisterWindowMessageA(kProbeMessage);  // the same atom every time
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message && message->message == probeMessage) {
        switch (static_cast<ProbeCommand>(message->wParam)) {
            case ProbeCommand::MeasureHeaps: MeasureHeapsInto(); break;
            case ProbeCommand::StartTimingTicks: StartTimingTicks(message->hwnd); break;
            case ProbeCommand::StopTimingTicks: StopTimingTicks(); break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
