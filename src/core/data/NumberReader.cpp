#include "core/data/NumberReader.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tremvix {
namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p, const char* end) {
    while (p != end && IsDigit(*p)) {
        ++p;
    }
    return p;
}

// The matched span of a decimal number without its sign, as positions in the text.
struct NumberSpan {
    const char* begin = nullptr;
    const char* end = nullptr;  // one past the last byte of the number
    const char* mantissaEnd = nullptr;
    // The mantissa's digits as an integer, read while matching; exact only while
    // digits <= kDigitsThatFit.
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
};

constexpr int kDigitsThatFit = 19;  // in a 64-bit integer, whatever they are

// Skips digits like SkipDigits, adding them to the span's mantissa.
const char* TakeDigits(const char* p, const char* end, NumberSpan& span) {
    for (; p != end && IsDigit(*p); ++p) {
        // Counted up to one past what fits: the twentieth digit may wrap the
        // mantissa, and its count alone sends the number the exact way.
        if (span.digits <= kDigitsThatFit) {
            ++span.digits;
            span.mantissa = span.mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
        }
    }
    return p;
}

// Returns false when the text holds no number at `p`.
bool MatchUnsigned(const char* p, const char* end, NumberSpan& span) {
    span.begin = p;
    const char* q = TakeDigits(p, end, span);
    bool anyDigit = q != p;
    if (q != end && *q == '.') {
        const char* fraction = q + 1;
        q = TakeDigits(fraction, end, span);
        span.fractionDigits = static_cast<int>(std::min<std::ptrdiff_t>(q - fraction, kDigitsThatFit + 1));
        anyDigit = anyDigit || q != fraction;
    }
    if (!anyDigit) {
        return false;
    }
    span.mantissaEnd = q;
    if (q != end && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        if (e != end && (*e == '+' || *e == '-')) {
            ++e;
        }
        const char* digitsEnd = SkipDigits(e, end);
        if (digitsEnd != e) {
            q = digitsEnd;
        }
    }
    span.end = q;
    return true;
}

// The value of a matched span when every digit fits in an exact double and the
// decimal exponent in an exact power of ten: one correctly rounded multiply or
// divide then gives the nearest double, as from_chars would, without reading the
// text again. Most recorder samples ("-12.345") take this path.
bool FastValue(const NumberSpan& span, double& value) {
    constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int kLargestExactPower = 22;
    constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;
    if (span.digits > kDigitsThatFit || span.mantissa > kLargestExactInteger) {
        return false;
    }
    int exponent = -span.fractionDigits;
    if (span.end != span.mantissaEnd) {
        const char* p = span.mantissaEnd + 1;
        const bool negative = *p == '-';
        p += (*p == '+' || *p == '-') ? 1 : 0;
        int written = 0;
        for (; p != span.end; ++p) {
            written = written * 10 + (*p - '0');
            if (written > 2 * kLargestExactPower + kDigitsThatFit) {
                return false;
            }
        }
        exponent += negative ? -written : written;
    }
    if (exponent < -kLargestExactPower || exponent > kLargestExactPower) {
        return false;
    }
    const double exact = static_cast<double>(span.mantissa);
    value = exponent < 0 ? exact / kPowersOfTen[-exponent] : exact * kPowersOfTen[exponent];
    return true;
}

// Decimal exponent of the leading significant digit (saturated): from_chars only
// reports a value out of range at the extremes, so its sign tells whether the
// number was too large or too small.
long LeadingDecimalExponent(const NumberSpan& span) {
    const char* const intEnd = SkipDigits(span.begin, span.mantissaEnd);
    const long intDigits = static_cast<long>(intEnd - span.begin);
    long leading = 0;
    bool found = false;
    for (const char* p = span.begin; p != intEnd && !found; ++p) {
        if (*p != '0') {
            leading = intDigits - 1 - static_cast<long>(p - span.begin);
            found = true;
        }
    }
    for (const char* p = intEnd + (intEnd != span.mantissaEnd ? 1 : 0); p < span.mantissaEnd && !found; ++p) {
        if (*p != '0') {
            leading = -static_cast<long>(p - intEnd);
            found = true;
        }
    }
    if (!found) {
        return 0;
    }
    long exponent = 0;
    if (span.end != span.mantissaEnd) {
        const char* p = span.mantissaEnd + 1;
        const bool negative = *p == '-';
        if (*p == '+' || *p == '-') {
            ++p;
        }
        for (; p != span.end; ++p) {
            if (exponent < 100000000) {
                exponent = exponent * 10 + (*p - '0');
            }
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    return leading + exponent;
}

}  // namespace

double ReadNumber(const char* begin, const char* end) {
    const char* p = begin;
    while (p != end && IsSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    NumberSpan span;
    if (!MatchUnsigned(p, end, span)) {
        return 0.0;
    }
    double value = 0.0;
    if (FastValue(span, value)) {
        return negative ? -value : value;
    }
    const auto result = std::from_chars(span.begin, span.end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = LeadingDecimalExponent(span) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

double ReadNumber(std::string_view text) {
    return ReadNumber(text.data(), text.data() + text.size());
}

float ToSample(double value) {
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    // Halfway between the largest float and the next power of two: from here on the
    // nearest float is infinity.
    constexpr double kRoundsToInfinity = 0x1.ffffffp+127;
    const double magnitude = std::fabs(value);
    if (std::isnan(value) || magnitude <= kFloatMax) {
        return static_cast<float>(value);
    }
    const float rounded = magnitude >= kRoundsToInfinity ? std::numeric_limits<float>::infinity()
                                                         : std::numeric_limits<float>::max();
    return std::signbit(value) ? -rounded : rounded;
}

}  // namespace tremvix
