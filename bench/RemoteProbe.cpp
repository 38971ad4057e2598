#include "RemoteHeapProbe.h"

#include <string>

RemoteHeapProbe::RemoteHeapProbe(HWND window, const std::filesystem::path& probeDll)
    : window_(window), message_(RegisterWindowMessageA(kHeapProbeMessage)) {
    block_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HeapFigures),
                                kHeapProbeFigures);
    view_ = block_ ? static_cast<HeapFigures*>(MapViewOfFile(block_, FILE_MAP_WRITE, 0, 0, sizeof(HeapFigures)))
                   : nullptr;
    module_ = LoadLibraryA(probeDll.string().c_str());
    auto* hook = module_ ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module_, "HeapProbeHook")))
                         : nullptr;
    const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
    if (hook && thread) hook_ = SetWindowsHookExA(WH_CALLWNDPROC, hook, module_, thread);
    if (!view_ || !hook_)
        error_ = "the heap probe could not be set up (" + probeDll.string() + ": shared block " +
                 (view_ ? "made" : "not made") + ", module " + (module_ ? "loaded" : "not loaded") + ", hook " +
                 (hook ? "found" : "not found") + ", error " + std::to_string(GetLastError()) + ")";
}

RemoteHeapProbe::~RemoteHeapProbe() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (view_) UnmapViewOfFile(view_);
    if (block_) CloseHandle(block_);
    if (module_) FreeLibrary(module_);
}

std::optional<HeapFigures> RemoteHeapProbe::Measure() {
    if (!ready()) return std::nullopt;
    *view_ = HeapFigures{};
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window_, message_, 0, 0, SMTO_NORMAL, 30000, &ignored)) return std::nullopt;
    const HeapFigures figures = *view_;
    if (figures.done != 1) return std::nullopt;
    return figures;
}
