#pragma once
#include <windows.h>

#include <string>

namespace vfe::win32 {

// Full path of this process's own executable, however long; empty when it cannot be read.
inline std::string ModuleFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace vfe::win32
