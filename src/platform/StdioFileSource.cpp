#include "platform/StdioFileSource.h"

#include <cstdio>

#include "platform/FileFacts.h"
#include "platform/OpenFile.h"

namespace vfe {

namespace {

class StdioInputFile final : public InputFile {
public:
    explicit StdioInputFile(OpenFile file) : file_(std::move(file)) {}

    std::optional<std::size_t> Read(std::span<char> into) override {
        if (into.empty()) return 0;
        const std::size_t count = std::fread(into.data(), 1, into.size(), file_.get());
        if (count == 0 && std::ferror(file_.get())) return std::nullopt;
        return count;
    }

private:
    OpenFile file_;
};

}  // namespace

std::unique_ptr<InputFile> StdioFileSource::Open(const std::string& path) {
    // Folders and devices are not files one can read, on any system.
    if (!FileLength(path)) return nullptr;
    OpenFile file = OpenStream(path, "rb");
    if (!file) return nullptr;
    return std::make_unique<StdioInputFile>(std::move(file));
}

}  // namespace vfe
