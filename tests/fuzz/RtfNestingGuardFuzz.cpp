// Fuzz target: the guard that ends a readme's RTF stream before a group nests too deep.
// The first input byte chooses the deepest nesting allowed and the read sizes; the rest is
// the file. Beyond "no crash" it checks what the About window relies on:
//  - the guard passes the file's own bytes and only ever ends it early, just before a '{';
//  - where the reads break the file makes no difference;
//  - a file with no more '{' than allowed levels passes whole.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "about/RtfNestingGuard.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "RTF guard fuzz: %s\n", what);
    std::abort();
}

// The file, handed out `perRead` bytes at a time.
class Chunks final : public vfe::InputFile {
public:
    Chunks(std::string_view bytes, std::size_t perRead) : bytes_(bytes), perRead_(perRead) {}
    std::optional<std::size_t> Read(std::span<char> into) override {
        const std::size_t count = std::min({into.size(), perRead_, bytes_.size() - at_});
        std::copy_n(bytes_.data() + at_, count, into.data());
        at_ += count;
        return count;
    }

private:
    std::string_view bytes_;
    std::size_t perRead_;
    std::size_t at_ = 0;
};

struct Passed {
    std::string bytes;
    bool stopped = false;
};

Passed ThroughGuard(std::string_view file, int maxNesting, std::size_t perRead) {
    Chunks chunks(file, perRead);
    vfe::RtfNestingGuard guard(chunks, maxNesting);
    Passed passed;
    char buffer[4096];
    for (;;) {
        const auto count = guard.Read(buffer);
        if (!count) break;
        if (*count == 0) break;
        if (*count > sizeof buffer) Fail("a read claims more than the buffer holds");
        passed.bytes.append(buffer, *count);
    }
    passed.stopped = guard.Stopped();
    return passed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int maxNesting = 1 + data[0] % 40;
    const std::size_t perRead = 1 + data[0] / 40;  // 1 to 7 bytes a read
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);

    const Passed whole = ThroughGuard(file, maxNesting, 4096);
    if (file.substr(0, whole.bytes.size()) != whole.bytes) Fail("the passed bytes are not the file's own");
    if (whole.stopped) {
        if (whole.bytes.size() >= file.size()) Fail("stopped, yet the whole file passed");
        if (file[whole.bytes.size()] != '{') Fail("stopped elsewhere than before a '{'");
    } else if (whole.bytes.size() != file.size()) {
        Fail("not stopped, yet the file did not pass whole");
    }
    const auto openings = std::count(file.begin(), file.end(), '{');
    if (openings <= maxNesting && whole.stopped) Fail("stopped with no more '{' than allowed levels");

    const Passed bytewise = ThroughGuard(file, maxNesting, perRead);
    if (bytewise.bytes != whole.bytes || bytewise.stopped != whole.stopped)
        Fail("the reads' sizes changed what passed");
    return 0;
}
