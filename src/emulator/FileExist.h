#pragma once
#include <string>

namespace vfe {

// True when the length of the file can be read and is not 0; never raises.
bool FileExist(const std::string& path);

}  // namespace vfe
