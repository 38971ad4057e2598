#pragma once
#include <windows.h>

#include <string>

#include "win32/Handles.h"

namespace vfe::win32 {

// One front-end per application folder: two of them would take each other's frame files for
// frames a crash left, and save or delete them under the other's hands. The first to start in a
// folder holds a mutex named after the folder (its full path, case-folded as the file system
// compares names); a later start finds it held. Other folders are not affected.
class FolderInstance {
public:
    explicit FolderInstance(const std::string& appDir);
    FolderInstance(const FolderInstance&) = delete;
    FolderInstance& operator=(const FolderInstance&) = delete;
    ~FolderInstance();

    // No other front-end runs in this folder (or the system could not tell: nobody is kept out).
    bool IsFirst() const { return first_; }
    // Brings the window of the front-end that runs in this folder to the front, unless it is
    // minimized: a recording keeps it so, and restoring it would end the recording.
    void ShowTheFirst() const;
    // Lets later starts in this folder find `window`.
    void Publish(HWND window);

private:
    std::wstring name_;
    KernelHandle mutex_;
    KernelHandle window_;  // a small shared block that holds the first front-end's window
    void* view_ = nullptr;
    bool first_ = true;
};

}  // namespace vfe::win32
