#include "capture/IntervalRule.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/Rounding.h"

namespace vfe {

namespace {

constexpr std::uint32_t kLongestInterval = 65535;

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
        if (!IsSkipped(c)) kept += c;
    return kept;
}

int DigitValue(char c, int radix) {
    int value = -1;
    if (IsDigit(c)) value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value >= 0 && value < radix ? value : -1;
}

// "&H..." or "&O...": a 16-bit literal when it fits in 16 bits, else a 32-bit one,
// both taken as signed, as the prefixed forms have always been read.
double RadixNumber(std::string_view text) {
    if (text.size() < 2) return 0;
    const char kind = text[1];
    const int radix = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
    if (radix == 0) return 0;
    std::uint64_t value = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], radix);
        if (digit < 0) break;
        value = value * radix + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return static_cast<double>(value);  // beyond any literal: just large
    }
    if (value <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// The longest prefix of `text` that forms a decimal number, with D exponents as E.
std::string DecimalPrefix(std::string_view text) {
    std::string number;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) number += text[i++], anyDigit = true;
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && IsDigit(text[i])) number += text[i++], anyDigit = true;
    }
    if (!anyDigit) return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        bool expDigit = false;
        while (j < text.size() && IsDigit(text[j])) exponent += text[j++], expDigit = true;
        if (expDigit) number += exponent;
    }
    return number;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    const std::string kept = WithoutBlanks(text);
    if (!kept.empty() && kept[0] == '&') return RadixNumber(kept);
    const std::string number = DecimalPrefix(kept);
    if (number.empty()) return 0;
    return std::strtod(number.c_str(), nullptr);
}

std::uint32_t TimerIntervalFromText(std::string_view text) {
    const double rounded = RoundHalfToEven(LeadingNumber(text));
    if (!(rounded > 0)) return 0;
    if (rounded >= kLongestInterval) return kLongestInterval;
    return static_cast<std::uint32_t>(rounded);
}

}  // namespace vfe
