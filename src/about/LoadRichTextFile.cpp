#include "about/LoadRichTextFile.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "about/TextFormatProbe.h"

namespace vfe {

namespace {

// The file with its first bytes already read: gives those again first, then the rest.
class ProbedFile final : public InputFile {
public:
    explicit ProbedFile(InputFile& file) : file_(file) {}

    // Reads up to kFormatProbeLength bytes, however short the file's reads are.
    bool Probe() {
        while (probedLength_ < probe_.size()) {
            const auto count = file_.Read(std::span(probe_).subspan(probedLength_));
            if (!count) return false;
            if (*count == 0) break;
            probedLength_ += *count;
        }
        return true;
    }
    std::string_view Probed() const { return {probe_.data(), probedLength_}; }
    void Skip(std::size_t count) { replayed_ = std::min(count, probedLength_); }

    std::optional<std::size_t> Read(std::span<char> into) override {
        if (replayed_ < probedLength_) {
            const std::size_t count = std::min(into.size(), probedLength_ - replayed_);
            std::memcpy(into.data(), probe_.data() + replayed_, count);
            replayed_ += count;
            return count;
        }
        const auto count = file_.Read(into);
        if (!count) failed_ = true;
        return count;
    }
    bool Failed() const { return failed_; }

private:
    InputFile& file_;
    std::array<char, kFormatProbeLength> probe_{};
    std::size_t probedLength_ = 0;
    std::size_t replayed_ = 0;
    bool failed_ = false;
};

}  // namespace

LoadResult LoadRichTextFile(FileSource& files, RichTextBox& box, const std::string& path) {
    const auto file = files.Open(path);
    if (!file) return LoadResult::FileNotFound;
    ProbedFile probed(*file);
    if (!probed.Probe()) return LoadResult::OtherFailure;
    const ProbedFormat format = ProbeTextFormat(probed.Probed());
    probed.Skip(format.markLength);
    const bool accepted = box.StreamIn(format.format, probed);
    return accepted && !probed.Failed() ? LoadResult::Loaded : LoadResult::OtherFailure;
}

}  // namespace vfe
