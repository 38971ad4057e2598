#pragma once
#include <cstdio>
#include <memory>
#include <string>

namespace vfe {

// A C stream, closed when it goes out of scope.
struct StreamCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, StreamCloser>;

// `mode` as fopen takes it; empty when the file cannot be opened (errno says why).
inline OpenFile OpenStream(const std::string& path, const char* mode) { return OpenFile(std::fopen(path.c_str(), mode)); }

// Closes now and says whether everything written reached the system.
inline bool CloseStream(OpenFile file) { return std::fclose(file.release()) == 0; }

}  // namespace vfe
