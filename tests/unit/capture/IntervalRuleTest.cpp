#include <gtest/gtest.h>

#include "capture/IntervalRule.h"

namespace vfe {
namespace {

struct Case {
    const char* text;
    std::uint32_t interval;
};

void ExpectIntervals(std::initializer_list<Case> cases) {
    for (const auto& c : cases) EXPECT_EQ(TimerIntervalFromText(c.text), c.interval) << '"' << c.text << '"';
}

TEST(IntervalRule, ReadsTheLeadingNumberAndStopsAtTheFirstStranger) {
    ExpectIntervals({{"1", 1}, {"7abc", 7}, {"12ms", 12}, {"1,5", 1}, {"1..2", 1}, {"+7", 7}, {"40-", 40}});
}

TEST(IntervalRule, TextWithoutANumberStopsTheTimer) {
    ExpectIntervals({{"", 0}, {"abc", 0}, {"-", 0}, {".", 0}, {"e5", 0}, {"&", 0}, {"&X1", 0}, {"$5", 0}});
}

TEST(IntervalRule, SkipsBlanksTabsAndLineFeedsAnywhere) {
    ExpectIntervals({{"1 0", 10}, {" 12 ", 12}, {"\t5\n", 5}, {"2 5 0", 250}, {"1 e 2", 100}, {"& H 1 0", 16}});
}

TEST(IntervalRule, CarriageReturnIsNotSkipped) { ExpectIntervals({{"1\r0", 1}}); }

TEST(IntervalRule, RoundsHalvesToTheEvenNeighbour) {
    ExpectIntervals({{"2.5", 2}, {"3.5", 4}, {"0.5", 0}, {"1.5", 2}, {".5", 0}, {"2.51", 3}, {"4.49", 4}});
}

TEST(IntervalRule, UnderstandsExponents) {
    ExpectIntervals({{"1e2", 100}, {"1E2", 100}, {"1d2", 100}, {"1.5e1", 15}, {"5e-1", 0}, {"25e-1", 2},
                     {"1e", 1}, {"1e+", 1}, {"3e+1", 30}});
}

TEST(IntervalRule, UnderstandsHexadecimalAndOctalPrefixes) {
    ExpectIntervals({{"&H10", 16}, {"&h1f", 31}, {"&O17", 15}, {"&o8", 0}, {"&H", 0}, {"&HFF zz", 255}});
    // A four-digit literal is a signed 16-bit value, as it always was read.
    EXPECT_DOUBLE_EQ(LeadingNumber("&HFFFF"), -1);
    EXPECT_DOUBLE_EQ(LeadingNumber("&H8000"), -32768);
    EXPECT_DOUBLE_EQ(LeadingNumber("&H10000"), 65536);
    EXPECT_DOUBLE_EQ(LeadingNumber("&HFFFFFFFF"), -1);
}

TEST(IntervalRule, KeepsTheIntervalWithinWhatTheTimerTakes) {
    ExpectIntervals({{"-3", 0}, {"-0.4", 0}, {"&HFFFF", 0}, {"65535", 65535}, {"65536", 65535}, {"99999999", 65535},
                     {"65535.5", 65535}, {"1e999", 65535}, {"&H10000", 65535}, {"&HFFFFFFFFFFFF", 65535}});
}

TEST(IntervalRule, LeadingNumberKeepsFractionsAndSigns) {
    EXPECT_DOUBLE_EQ(LeadingNumber("-2.25x"), -2.25);
    EXPECT_DOUBLE_EQ(LeadingNumber("  3.75"), 3.75);
    EXPECT_DOUBLE_EQ(LeadingNumber("1 000 000"), 1e6);
}

}  // namespace
}  // namespace vfe
