#include "emulator/FileExist.h"

#include "platform/FileLength.h"

namespace vfe {

bool FileExist(const std::string& path) {
    const auto length = FileLength(path);
    return length && *length != 0;
}

}  // namespace vfe
