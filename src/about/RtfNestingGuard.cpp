#include "about/RtfNestingGuard.h"

#include <algorithm>

namespace vfe {

namespace {
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr std::size_t kLongestWordKept = 8;       // only "bin" matters
constexpr long long kLargestParameter = 1LL << 40;  // beyond any file
}  // namespace

RtfNestingGuard::RtfNestingGuard(InputFile& file, int maxNesting) : file_(file), maxNesting_(maxNesting) {}

std::optional<std::size_t> RtfNestingGuard::Read(std::span<char> into) {
    if (stopped_) return std::nullopt;
    const auto count = file_.Read(into);
    if (!count) return count;
    for (std::size_t i = 0; i < *count; ++i) {
        if (Take(into[i])) continue;
        stopped_ = true;
        if (i == 0) return std::nullopt;
        return i;  // everything before the group that is too deep
    }
    return count;
}

bool RtfNestingGuard::Brace(char c, int& depth, int maxNesting) {
    if (c == '{') {
        if (depth >= maxNesting) return false;
        ++depth;
    } else if (c == '}') {
        depth = std::max(0, depth - 1);
    }
    return true;
}

bool RtfNestingGuard::Take(char c) {
    if (binaryLeft_ > 0) {
        --binaryLeft_;
        return Brace(c, depthAsText_, maxNesting_);
    }
    switch (state_) {
        case State::Text: return TakeText(c);
        case State::Escape:
            // A control word, or a control symbol such as \{ \} \\ that stands for itself.
            if (IsLetter(c)) {
                word_.assign(1, c);
                state_ = State::Word;
            } else {
                state_ = State::Text;
            }
            return true;
        case State::Word:
            if (IsLetter(c)) {
                if (word_.size() < kLongestWordKept) word_ += c;
                return true;
            }
            if (c == '-' || IsDigit(c)) {
                negative_ = c == '-';
                parameter_ = negative_ ? 0 : c - '0';
                state_ = State::Parameter;
                return true;
            }
            parameter_ = 0;
            negative_ = false;
            break;
        case State::Parameter:
            if (IsDigit(c)) {
                parameter_ = std::min(parameter_ * 10 + (c - '0'), kLargestParameter);
                return true;
            }
            break;
    }
    // `c` ends a control word: a space belongs to the word, anything else is read anew.
    EndWord();
    if (c == ' ') return true;
    return Take(c);
}

bool RtfNestingGuard::TakeText(char c) {
    if (c == '\\') {
        state_ = State::Escape;
        return true;
    }
    return Brace(c, depth_, maxNesting_) && Brace(c, depthAsText_, maxNesting_);
}

void RtfNestingGuard::EndWord() {
    state_ = State::Text;
    if (word_ == "bin" && !negative_ && parameter_ > 0) binaryLeft_ = parameter_;
}

}  // namespace vfe
