#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace vfe {

// A file opened for reading, closed when the object goes.
class InputFile {
public:
    virtual ~InputFile() = default;
    // Fills the front of `into`; 0 at the end of the file, nothing when reading fails.
    virtual std::optional<std::size_t> Read(std::span<char> into) = 0;
};

// Opens files by name for reading.
class FileSource {
public:
    virtual ~FileSource() = default;
    // Null when the file is missing or cannot be opened.
    virtual std::unique_ptr<InputFile> Open(const std::string& path) = 0;
};

}  // namespace vfe
