#include "about/LoadRichTextFile.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "about/RtfNestingGuard.h"
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

// Never ends a piece between the CR and the LF of a line break: some rich edit
// controls read such a split break as two breaks, adding an empty line.
class WholeLineBreaks final : public InputFile {
public:
    explicit WholeLineBreaks(InputFile& file) : file_(file) {}

    std::optional<std::size_t> Read(std::span<char> into) override {
        if (into.empty()) return 0;
        std::size_t count = 0;
        if (heldCr_) {
            into[0] = '\r';
            count = 1;
            heldCr_ = false;
        }
        bool atEnd = false;
        // Read on past a lone CR, so that it need not go out on its own.
        while (count < into.size() && (count == 0 || (count == 1 && into[0] == '\r'))) {
            const auto read = file_.Read(into.subspan(count));
            if (!read) return std::nullopt;
            if (*read == 0) {
                atEnd = true;
                break;
            }
            count += *read;
        }
        if (!atEnd && count > 1 && into[count - 1] == '\r') {
            heldCr_ = true;
            --count;
        }
        return count;
    }

private:
    InputFile& file_;
    bool heldCr_ = false;
};

}  // namespace

LoadResult LoadRichTextFile(FileSource& files, RichTextBox& box, const std::string& path) {
    const auto file = files.Open(path);
    if (!file) return LoadResult::FileNotFound;
    ProbedFile probed(*file);
    if (!probed.Probe()) return LoadResult::OtherFailure;
    const TextFormat format = ProbeTextFormat(probed.Probed());
    RtfNestingGuard guarded(probed);
    WholeLineBreaks pieces(format == TextFormat::Rtf ? static_cast<InputFile&>(guarded) : probed);
    const bool accepted = box.StreamIn(format, pieces);
    return accepted && !probed.Failed() ? LoadResult::Loaded : LoadResult::OtherFailure;
}

}  // namespace vfe
