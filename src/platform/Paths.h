#pragma once
#include <string>
#include <string_view>

namespace vfe {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// `file` inside the application directory; a directory given with a trailing
// separator (a drive root) does not get a second one.
std::string InAppDir(std::string_view appDir, std::string_view file);

// The folder part of a full path, without trailing separator (a root keeps its own).
std::string FolderOf(std::string_view path);

}  // namespace vfe
