#include "RemoteHeapProbe.h"

#include <tlhelp32.h>

#include <cctype>
#include <cstring>

namespace {

constexpr SIZE_T kBlockSize = 4096;
constexpr SIZE_T kFiguresOffset = 2048;

std::string Lower(std::string text) {
    for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string BaseNameOf(HMODULE module) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    std::string name(path, length);
    const auto slash = name.find_last_of("\\/");
    return Lower(slash == std::string::npos ? name : name.substr(slash + 1));
}

// The base of the module of that file name in another process; null when not loaded.
BYTE* RemoteModuleBase(DWORD processId, const std::string& baseName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    BYTE* base = nullptr;
    for (BOOL more = Module32First(snapshot, &entry); more && !base; more = Module32Next(snapshot, &entry))
        if (Lower(entry.szModule) == baseName) base = entry.modBaseAddr;
    CloseHandle(snapshot);
    return base;
}

}  // namespace

RemoteHeapProbe::RemoteHeapProbe(HANDLE process, DWORD processId, const std::filesystem::path& probeDll)
    : process_(process), processId_(processId) {
    const std::string dll = probeDll.string();
    HMODULE local = LoadLibraryA(dll.c_str());
    if (!local) {
        error_ = "cannot load " + dll + " here";
        return;
    }
    const void* localMeasure = reinterpret_cast<const void*>(GetProcAddress(local, "MeasureHeaps"));
    const void* localLoad = reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA"));
    block_ = VirtualAllocEx(process_, nullptr, kBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!block_ || !localMeasure || !localLoad ||
        !WriteProcessMemory(process_, block_, dll.c_str(), dll.size() + 1, nullptr)) {
        error_ = "cannot prepare the measured process";
        return;
    }
    void* remoteLoad = RemoteAddressOf(localLoad);
    DWORD loaded = 0;
    if (!remoteLoad || !RunRemote(remoteLoad, block_, loaded) || loaded == 0) {
        error_ = "the probe did not load in the measured process";
        return;
    }
    measure_ = RemoteAddressOf(localMeasure);
    if (!measure_) error_ = "the probe is not among the measured process's modules";
}

RemoteHeapProbe::~RemoteHeapProbe() {
    if (block_) VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
}

void* RemoteHeapProbe::RemoteAddressOf(const void* localFunction) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(localFunction), &module))
        return nullptr;
    BYTE* remoteBase = RemoteModuleBase(processId_, BaseNameOf(module));
    if (!remoteBase) return nullptr;
    return remoteBase + (static_cast<const BYTE*>(localFunction) - reinterpret_cast<const BYTE*>(module));
}

bool RemoteHeapProbe::RunRemote(void* start, void* parameter, DWORD& exitCode) {
    HANDLE thread = CreateRemoteThread(process_, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start), parameter,
                                       0, nullptr);
    if (!thread) return false;
    const bool ended = WaitForSingleObject(thread, 30000) == WAIT_OBJECT_0;
    const bool read = ended && GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    return read;
}

std::optional<HeapFigures> RemoteHeapProbe::Measure() {
    if (!measure_) return std::nullopt;
    auto* figures = static_cast<BYTE*>(block_) + kFiguresOffset;
    const HeapFigures empty;
    DWORD ignored = 0;
    if (!WriteProcessMemory(process_, figures, &empty, sizeof empty, nullptr) || !RunRemote(measure_, figures, ignored))
        return std::nullopt;
    HeapFigures result;
    if (!ReadProcessMemory(process_, figures, &result, sizeof result, nullptr) || result.done != 1) return std::nullopt;
    return result;
}
