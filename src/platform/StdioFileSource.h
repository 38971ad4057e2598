#pragma once
#include "platform/FileSource.h"

namespace vfe {

// Regular files of the local file system, through the C library.
class StdioFileSource final : public FileSource {
public:
    std::unique_ptr<InputFile> Open(const std::string& path) override;
};

}  // namespace vfe
