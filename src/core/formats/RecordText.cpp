#include "core/formats/RecordText.h"

#include "core/data/NumberReader.h"
#include "core/formats/RecordLines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace tremvix::formats {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char LowerAsciiChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

const char* SkipDigits(const char* p, const char* end) {
    while (p != end && IsDigit(*p)) {
        ++p;
    }
    return p;
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return LowerAsciiChar(a) == LowerAsciiChar(b); });
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
    return LowerAscii(text).find(LowerAscii(part)) != std::string::npos;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAsciiChar);
    return lower;
}

const char* MatchDecimal(const char* p, const char* end) {
    if (p != end && (*p == '+' || *p == '-')) {
        ++p;
    }
    const char* q = SkipDigits(p, end);
    bool anyDigit = q != p;
    if (q != end && *q == '.') {
        const char* const fraction = q + 1;
        q = SkipDigits(fraction, end);
        anyDigit = anyDigit || q != fraction;
    }
    if (!anyDigit) {
        return nullptr;
    }
    if (q != end && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        if (e != end && (*e == '+' || *e == '-')) {
            ++e;
        }
        const char* const digitsEnd = SkipDigits(e, end);
        if (digitsEnd != e) {
            q = digitsEnd;
        }
    }
    return q;
}

std::optional<double> ParseDecimal(std::string_view text) {
    const std::string_view trimmed = TrimSpaces(text);
    const char* const begin = trimmed.data();
    const char* const end = begin + trimmed.size();
    if (MatchDecimal(begin, end) != end) {
        return std::nullopt;
    }
    return ReadNumber(begin, end);
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
    const std::string_view trimmed = TrimSpaces(text);
    std::size_t i = 0;
    const bool negative = !trimmed.empty() && trimmed[0] == '-';
    if (!trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '+')) {
        ++i;
    }
    const std::size_t digits = trimmed.size() - i;
    if (digits == 0 || digits > 18) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; i < trimmed.size(); ++i) {
        if (!IsDigit(trimmed[i])) {
            return std::nullopt;
        }
        value = value * 10 + (trimmed[i] - '0');
    }
    return negative ? -value : value;
}

std::optional<double> ParseHertz(std::string_view text) {
    std::string_view number = TrimSpaces(text);
    if (number.size() >= 2 && StartsWithNoCase(number.substr(number.size() - 2), "hz")) {
        number.remove_suffix(2);
    }
    const std::optional<double> rate = ParseDecimal(number);
    if (!rate || !std::isfinite(*rate) || *rate <= 0.0) {
        return std::nullopt;
    }
    return rate;
}

std::string ShortestText(double value) {
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

std::string FixedText(double value, int decimals) {
    std::array<char, 400> text{};  // room for the largest double in fixed notation
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return std::string(text.data(), result.ptr);
}

}  // namespace tremvix::formats
