#include "platform/StdioFileSource.h"

#include <cstdio>

#include "platform/FileFacts.h"

namespace vfe {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

class StdioInputFile final : public InputFile {
public:
    explicit StdioInputFile(std::FILE* file) : file_(file) {}

    std::optional<std::size_t> Read(std::span<char> into) override {
        if (into.empty()) return 0;
        const std::size_t count = std::fread(into.data(), 1, into.size(), file_.get());
        if (count == 0 && std::ferror(file_.get())) return std::nullopt;
        return count;
    }

private:
    std::unique_ptr<std::FILE, FileCloser> file_;
};

}  // namespace

std::unique_ptr<InputFile> StdioFileSource::Open(const std::string& path) {
    // Folders and devices are not files one can read, on any system.
    if (!FileLength(path)) return nullptr;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    return std::make_unique<StdioInputFile>(file);
}

}  // namespace vfe
