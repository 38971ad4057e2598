#pragma once
// Files and a rich text box in memory, with scripted short reads and failures.
#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "platform/FileSource.h"
#include "platform/RichTextBox.h"

namespace vfe::testing {

struct FakeFile {
    std::string content;
    std::size_t bytesPerRead = std::numeric_limits<std::size_t>::max();  // reads give at most this much
    std::size_t failAfter = std::numeric_limits<std::size_t>::max();     // reading fails once this much was given
};

class FakeFileSource final : public FileSource {
public:
    std::unique_ptr<InputFile> Open(const std::string& path) override {
        opened.push_back(path);
        const auto found = files.find(path);
        if (found == files.end()) return nullptr;
        return std::make_unique<Reader>(found->second);
    }
    std::map<std::string, FakeFile> files;  // the files that can be opened, by path
    std::vector<std::string> opened;

private:
    class Reader final : public InputFile {
    public:
        explicit Reader(FakeFile file) : file_(std::move(file)) {}
        std::optional<std::size_t> Read(std::span<char> into) override {
            if (position_ >= file_.failAfter && position_ < file_.content.size()) return std::nullopt;
            const std::size_t count = std::min({into.size(), file_.bytesPerRead, file_.content.size() - position_,
                                                file_.failAfter - position_});
            std::memcpy(into.data(), file_.content.data() + position_, count);
            position_ += count;
            return count;
        }

    private:
        FakeFile file_;
        std::size_t position_ = 0;
    };
};

// Keeps what was streamed in, asking the source for `bytesPerRequest` at a time.
class FakeRichTextBox final : public RichTextBox {
public:
    bool StreamIn(TextFormat format, InputFile& source) override {
        ++streams;
        this->format = format;
        content.clear();
        pieces.clear();
        std::vector<char> buffer(bytesPerRequest);
        for (;;) {
            const auto count = source.Read(buffer);
            if (!count) return false;
            if (*count == 0) break;
            content.append(buffer.data(), *count);
            pieces.emplace_back(buffer.data(), *count);
        }
        return !refuse;
    }
    std::size_t bytesPerRequest = 4096;
    bool refuse = false;  // the control reports an error after taking the stream
    int streams = 0;
    TextFormat format = TextFormat::Text;
    std::string content;
    std::vector<std::string> pieces;  // as the source gave them
};

}  // namespace vfe::testing
