#pragma once
#include <cstdio>
#include <string>

namespace vfe {

// Puts a finished file in the place of another in one step: the older file under that name
// is never removed before the new one stands there. False when it could not; both files are
// then as they were.
class FileReplace {
public:
    virtual ~FileReplace() = default;
    virtual bool Replace(const std::string& finished, const std::string& path) = 0;
};

// The C library's rename: on POSIX systems (the native build) it replaces in one step; on
// Windows it refuses an existing name, which leaves both files, and the program uses the
// system's own replace there.
class RenameFileReplace final : public FileReplace {
public:
    bool Replace(const std::string& finished, const std::string& path) override {
        return std::rename(finished.c_str(), path.c_str()) == 0;
    }
};

}  // namespace vfe
