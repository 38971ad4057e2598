#pragma once
#include <windows.h>

#include "platform/FileReplace.h"

namespace vfe::win32 {

// The system's own replace: written through to the disk before it returns.
class Win32FileReplace final : public FileReplace {
public:
    bool Replace(const std::string& finished, const std::string& path) override {
        return MoveFileExA(finished.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
               FALSE;
    }
};

}  // namespace vfe::win32
