#include "win32/FolderInstance.h"

#include <cstdint>
#include <cstring>

namespace vfe::win32 {

namespace {

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// The folder as the file system tells names apart: its long form, letters in one case.
std::wstring CaseFolded(const std::string& folder) {
    std::wstring path = Wide(folder);
    std::wstring longPath(32768, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
    if (length > 0 && length < longPath.size()) path.assign(longPath.data(), length);
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

// Names of kernel objects are short and hold no backslash: the folder goes in as a hash.
std::wstring InstanceName(const std::wstring& folder) {
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const wchar_t unit : folder) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 0x100000001B3u;
    }
    wchar_t digits[17] = {};
    for (int i = 15; i >= 0; --i, hash >>= 4) digits[i] = L"0123456789ABCDEF"[hash & 0xF];
    return std::wstring(L"Local\\VelmoranFE2-") + digits;
}

}  // namespace

FolderInstance::FolderInstance(const std::string& appDir) : name_(InstanceName(CaseFolded(appDir))) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name_.c_str());
    const DWORD error = GetLastError();
    mutex_.reset(mutex);
    first_ = !mutex_ || error != ERROR_ALREADY_EXISTS;
}

FolderInstance::~FolderInstance() {
    if (view_) UnmapViewOfFile(view_);
}

void FolderInstance::ShowTheFirst() const {
    const KernelHandle block(OpenFileMappingW(FILE_MAP_READ, FALSE, (name_ + L"-window").c_str()));
    if (!block) return;  // it has not shown its window yet
    void* view = MapViewOfFile(block.get(), FILE_MAP_READ, 0, 0, sizeof(std::uint64_t));
    if (!view) return;
    std::uint64_t handle = 0;
    std::memcpy(&handle, view, sizeof handle);
    UnmapViewOfFile(view);
    const auto window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
    if (IsWindow(window) && !IsIconic(window)) SetForegroundWindow(window);
}

void FolderInstance::Publish(HWND window) {
    window_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(std::uint64_t),
                                     (name_ + L"-window").c_str()));
    if (!window_) return;  // later starts then only end, without bringing us to the front
    view_ = MapViewOfFile(window_.get(), FILE_MAP_WRITE, 0, 0, sizeof(std::uint64_t));
    if (!view_) return;
    const auto handle = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(window));
    std::memcpy(view_, &handle, sizeof handle);
}

}  // namespace vfe::win32
