#pragma once
#include <string>

#include "platform/FileSource.h"

namespace vfe {

// Deepest group nesting of an RTF file that is given to the box. Rich edit controls
// keep a small fixed stack of groups, and some are corrupted when a file goes deeper;
// real documents stay far below this.
inline constexpr int kMaxRtfNesting = 30;

// Passes an RTF stream through and ends it, as a failed read, just before the first
// group that would nest deeper than `maxNesting`. Raw data after \binN is counted both
// as data and as text, so no reading of it by the control can go deeper.
class RtfNestingGuard final : public InputFile {
public:
    explicit RtfNestingGuard(InputFile& file, int maxNesting = kMaxRtfNesting);
    std::optional<std::size_t> Read(std::span<char> into) override;
    bool Stopped() const { return stopped_; }

private:
    enum class State { Text, Escape, Word, Parameter };
    // False when `c` opens a group too deep.
    bool Take(char c);
    bool TakeText(char c);
    void EndWord();
    static bool Brace(char c, int& depth, int maxNesting);

    InputFile& file_;
    int maxNesting_;
    bool stopped_ = false;
    State state_ = State::Text;
    std::string word_;
    long long parameter_ = 0;
    bool negative_ = false;
    long long binaryLeft_ = 0;
    int depth_ = 0;         // braces in \bin data skipped
    int depthAsText_ = 0;   // braces in \bin data counted
};

}  // namespace vfe
