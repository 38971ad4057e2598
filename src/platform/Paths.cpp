#include "platform/Paths.h"

namespace vfe {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

std::string InAppDir(std::string_view appDir, std::string_view file) {
    std::string path(appDir);
    if (path.empty() || !IsSeparator(path.back())) path += kPathSeparator;
    path += file;
    return path;
}

std::string FolderOf(std::string_view path) {
    const auto cut = path.find_last_of("\\/");
    if (cut == std::string_view::npos) return {};
    const bool isRoot = cut == 0 || (cut == 2 && path[1] == ':');
    return std::string(path.substr(0, isRoot ? cut + 1 : cut));
}

}  // namespace vfe
