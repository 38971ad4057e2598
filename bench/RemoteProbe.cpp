#include "RemoteProbe.h"

#include <algorithm>
#include <string>

RemoteProbe::RemoteProbe(HWND window, const std::filesystem::path& probeDll)
    : window_(window), message_(RegisterWindowMessageA(kProbeMessage)) {
    block_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeBlock), kProbeBlock);
    if (block_) view_ = static_cast<ProbeBlock*>(MapViewOfFile(block_, FILE_MAP_WRITE, 0, 0, sizeof(ProbeBlock)));
    module_ = LoadLibraryA(probeDll.string().c_str());
    hookProc_ = module_ ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module_, "ProbeHook")))
                        : nullptr;
    thread_ = GetWindowThreadProcessId(window_, nullptr);
    if (!view_ || !Hook())
        error_ = "the probe could not be set up (" + probeDll.string() + ": shared block " +
                 (view_ ? "made" : "not made") + ", module " + (module_ ? "loaded" : "not loaded") + ", hook " +
                 (hookProc_ ? "found" : "not found") + ", error " + std::to_string(GetLastError()) + ")";
}

RemoteProbe::~RemoteProbe() {
    if (ready() && view_->ticks.timing) StopTimingTicks();
    Unhook();
    if (view_) UnmapViewOfFile(view_);
    if (block_) CloseHandle(block_);
    if (module_) FreeLibrary(module_);
}

bool RemoteProbe::Hook() {
    if (!hook_ && hookProc_ && thread_) hook_ = SetWindowsHookExA(WH_CALLWNDPROC, hookProc_, module_, thread_);
    return hook_ != nullptr;
}

void RemoteProbe::Unhook() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
}

bool RemoteProbe::Send(ProbeCommand command) {
    DWORD_PTR ignored = 0;
    return ready() && Hook() &&
           SendMessageTimeoutA(window_, message_, static_cast<WPARAM>(command), 0, SMTO_NORMAL, 30000, &ignored) != 0;
}

std::optional<HeapFigures> RemoteProbe::MeasureHeaps() {
    if (!ready()) return std::nullopt;
    view_->heaps = HeapFigures{};
    if (!Send(ProbeCommand::MeasureHeaps) || view_->heaps.done != 1) return std::nullopt;
    return view_->heaps;
}

bool RemoteProbe::StartTimingTicks() {
    if (!Send(ProbeCommand::StartTimingTicks) || view_->ticks.timing != 1) return false;
    // The probe stays loaded while it times (it holds a reference of its own to itself);
    // the hook is set again for the stop.
    Unhook();
    return true;
}

std::optional<std::vector<double>> RemoteProbe::StopTimingTicks() {
    if (!ready() || !view_->ticks.timing || !Send(ProbeCommand::StopTimingTicks) || view_->ticks.timing)
        return std::nullopt;
    const TickFigures& ticks = view_->ticks;
    const auto kept = std::min(ticks.ticks, TickFigures::kCapacity);
    return std::vector<double>(ticks.milliseconds, ticks.milliseconds + kept);
}
