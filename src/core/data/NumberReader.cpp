#include "core/data/NumberReader.h"

#include <charconv>
#include <cmath>
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
};

// Returns false when the text holds no number at `p`.
bool MatchUnsigned(const char* p, const char* end, NumberSpan& span) {
    span.begin = p;
    const char* q = SkipDigits(p, end);
    bool anyDigit = q != p;
    if (q != end && *q == '.') {
        const char* fraction = q + 1;
        q = SkipDigits(fraction, end);
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
