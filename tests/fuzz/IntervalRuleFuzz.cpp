// Fuzz target: the interval rule that turns the text of the interval box into the frame
// timer's interval. Beyond "no crash" it checks what the timer relies on: the interval is
// always one the timer takes, it is the leading number rounded, and blanks are ignored
// wherever they stand.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "capture/IntervalRule.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "interval fuzz: %s for \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double number = vfe::LeadingNumber(text);
    const std::uint32_t interval = vfe::TimerIntervalFromText(text);

    if (std::isnan(number)) Fail("the leading number is not a number", text);
    if (interval > 65535) Fail("an interval the timer cannot take", text);
    if (number < 0.5 && interval != 0) Fail("a number below one half runs the timer", text);
    if (number > 65535 && interval != 65535) Fail("a large number does not give the longest interval", text);
    if (number >= 0.5 && number <= 65535 && std::fabs(static_cast<double>(interval) - number) > 0.5)
        Fail("the interval is not the number rounded", text);

    // A blank put in at a place the input chooses changes nothing.
    if (size > 0) {
        std::string spaced(text);
        spaced.insert(data[0] % (size + 1), 1, ' ');
        if (vfe::TimerIntervalFromText(spaced) != interval) Fail("a blank changed the interval", text);
    }
    return 0;
}
