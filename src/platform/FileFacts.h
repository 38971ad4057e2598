#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vfe {

// What the file system says about a path, each fact under a name that says what it means.
// None of them raises; a path that cannot be reached gives the negative answer.

// Length in bytes of the regular file at `path`; nothing when it is missing, unreachable,
// or not a regular file (a folder, a device).
std::optional<std::int64_t> FileLength(const std::string& path);

// A regular file, empty or not.
bool IsRegularFile(const std::string& path);

// `FileExist`: a regular file whose length can be read and is not 0. The emulator's
// files count as present only when they hold something.
bool FileExist(const std::string& path);

// The entry is marked read-only (the owner may not write it). The mark holds for us even
// where the system would let the user write anyway (an administrator, root).
bool IsMarkedReadOnly(const std::string& path);

// Anything at all under that name: a file, a folder, a device. A name taken by anything
// cannot be given to a new file.
bool EntryExists(const std::string& path);

}  // namespace vfe
