#include "ui/components/GraphArithmetic.h"
#include "ui/base/CNumberFormat.h"

#include "ui/widgets/Canvas.h"

#include <cmath>
#include <cstdio>

namespace graph {

namespace {

constexpr double kSteps[] = {1.0, 2.0, 2.5, 5.0};
constexpr double kFirstDecade = 1e-10;
// Past the float range every finite value has been passed; stops the search there.
constexpr double kLastDecade = 1e40;

std::optional<int> Truncated(long double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return TruncPixel(value);
}

// The first step × decade whose span over `divisions` passes `largest`.
std::optional<double> LinearStep(double largest, int divisions) {
    for (double d = kFirstDecade; d < kLastDecade; d *= 10.0)
        for (const double s : kSteps)
            if (divisions * (s + 0.001) * d > largest) return s * d;
    return std::nullopt;
}

Scale LogScale(double largest, int divisions) {
    double d = kFirstDecade;
    while (largest >= d && d < kLastDecade) d *= 10.0;
    return {static_cast<float>(d / std::pow(10.0, divisions)), 10.0f, divisions};
}

}  // namespace

std::optional<int> AxisPixel(const Axis& axis, float value) {
    const long double origin = axis.origin;
    const long double division = axis.division;
    long double offset = 0.0L;
    if (axis.linear) {
        if (axis.step == 0.0f) return std::nullopt;
        offset = (static_cast<long double>(value) - axis.start) / axis.step * division;
    } else {
        if (!(value > 0.0f) || axis.start == 0.0f) return std::nullopt;
        offset = std::log10(static_cast<long double>(value) / axis.start) /
                 std::log10(static_cast<long double>(axis.step)) * division;
    }
    return Truncated(origin + axis.direction * offset);
}

float DivisionValue(bool linear, float start, float step, int r) {
    if (linear) return step * static_cast<float>(r) + start;
    const long double value = std::pow(static_cast<long double>(step), r) * start;
    if (!(value > 0.0L) || !std::isfinite(value)) return static_cast<float>(value);
    // A float start holds seven digits: 0.001f is 0.00100000005, whose 10^6 is not 1000.
    const long double unit = std::pow(10.0L, std::floor(std::log10(value)) - 6.0L);
    return static_cast<float>(std::round(value / unit) * unit);
}

int SubScale(float value, std::string& format) {
    if (!(value > 0.0f) || !std::isfinite(value)) return 0;
    float v = value * 1.000001f;
    const float w = v;
    int decimals = 0;
    if (v >= 1.0f) {
        while (v > 1.0f) v = v * 0.1f;
        v = v * 10.0f;
    } else {
        while (v < 1.0f) {
            v = v * 10.0f;
            ++decimals;
        }
    }
    const float m = v;
    int digit = static_cast<int>(m);
    const float fraction = m - static_cast<float>(digit);
    if (1.4f < m && m < 1.6f) digit = 3;
    if (2.4f < m && m < 2.6f) digit = 5;
    if (w < 10.0f && 0.4f < fraction && fraction < 0.6f) ++decimals;
    char text[16];
    std::snprintf(text, sizeof text, "%%.%df", decimals);
    format = text;
    switch (digit) {
        case 1: return 5;
        case 2: return 4;
        case 3: return 3;
        case 4: return 4;
        case 5: return 5;
        case 6: return 6;
        case 7: return 7;
        case 8: return 4;
        case 9: return 3;
        default: return 5;
    }
}

bool ZeroString(const char* text) {
    for (const char* p = text; *p != '\0'; ++p)
        if (*p != '-' && *p != '0' && *p != '.') return false;
    return true;
}

std::string FormattedLabel(const std::string& format, float value) {
    char text[64];
    FormatInCLocale(text, sizeof text, format.c_str(), static_cast<double>(value));
    return ZeroString(text) ? std::string("0") : std::string(text);
}

std::optional<Scale> ChooseScale(int count, const float* values, int divisions, bool linear) {
    double largest = 0.0;
    for (int i = 0; i < count; ++i)
        if (std::isfinite(values[i]) && values[i] > largest) largest = values[i];
    if (!linear) return LogScale(largest, divisions);
    const std::optional<double> step = LinearStep(largest, divisions);
    if (!step) return std::nullopt;
    return Scale{0.0f, static_cast<float>(*step), divisions};
}

std::optional<Scale> ChooseSignedScale(int count, const float* values, int divisions, bool linear,
                                       bool& negative) {
    double largest = 0.0;
    negative = false;
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) continue;
        if (values[i] < 0.0f) negative = true;
        largest = std::max(largest, static_cast<double>(std::fabs(values[i])));
    }
    if (!linear) return LogScale(largest, divisions);
    const int half = negative ? (divisions + 1) / 2 : divisions;
    const std::optional<double> step = LinearStep(largest, half);
    if (!step) return std::nullopt;
    const float v = static_cast<float>(*step);
    if (!negative) return Scale{0.0f, v, divisions};
    return Scale{static_cast<float>(-half * static_cast<double>(v)), v, 2 * half};
}

}  // namespace graph
