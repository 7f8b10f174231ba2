#include "ui/display/GraphScale.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace tremvix {

float ScaleStep(int n, float x) {
    static constexpr float kSteps[] = {1.0f, 2.0f, 2.5f, 5.0f};
    const long double limit = x;
    float decade = 1e-10f;
    while (std::isfinite(decade)) {
        for (const float step : kSteps) {
            const long double span = static_cast<long double>(n) * decade * step;
            if (span > limit) return decade * step;
        }
        decade = decade * 10.0f;
    }
    return std::numeric_limits<float>::max();
}

namespace {
using Float4 = float __attribute__((vector_size(16)));
using Int4 = int __attribute__((vector_size(16)));
}  // namespace

// Four at a time: the largest finite magnitude does not depend on the order in
// which the samples are looked at.
float LargestMagnitude(const float* x, int count) {
    Float4 largest4 = {0.0f, 0.0f, 0.0f, 0.0f};
    const Float4 infinity = {HUGE_VALF, HUGE_VALF, HUGE_VALF, HUGE_VALF};
    int j = 0;
    for (; j + 4 <= count; j += 4) {
        Int4 bits;
        std::memcpy(&bits, x + j, sizeof bits);
        bits &= 0x7FFFFFFF;
        Float4 magnitude;
        std::memcpy(&magnitude, &bits, sizeof magnitude);
        // Not-a-number and infinity fail the first test and are passed over.
        largest4 = (magnitude < infinity) & (magnitude > largest4) ? magnitude : largest4;
    }
    float largest = std::max(std::max(largest4[0], largest4[1]), std::max(largest4[2], largest4[3]));
    for (; j < count; ++j) {
        const float magnitude = std::fabs(x[j]);
        if (std::isfinite(magnitude) && magnitude > largest) largest = magnitude;
    }
    return largest;
}

std::int32_t BandUnitLenY(std::int32_t canvasHeight, std::int32_t traceCount) {
    const long double band = canvasHeight / traceCount;
    if (traceCount >= 5) return static_cast<std::int32_t>(band * 0.75L * 0.5L);
    const auto unit = static_cast<std::int32_t>(band * 0.75L * 0.25L);
    return traceCount == 1 ? unit / 2 : unit;
}

std::int32_t OverlayUnitLenY(std::int32_t canvasHeight) {
    return static_cast<std::int32_t>(static_cast<long double>(canvasHeight / 8) * 0.75L);
}

std::int32_t WindowSamples(float displayTime, float samplingInterval) {
    const long double quotient = static_cast<long double>(displayTime) / samplingInterval;
    if (!(quotient < INT_MAX)) return quotient > 0 ? INT_MAX : 0;
    if (quotient <= INT_MIN) return INT_MIN;
    return static_cast<std::int32_t>(quotient);
}

std::int32_t ClampWindow(std::int32_t start, std::int32_t window, std::int32_t sampleCount) {
    const long long end = static_cast<long long>(start) + window;
    return end > sampleCount ? sampleCount - start : window;
}

void PositiveEnvelope(const float* x, int count, float* out) {
    if (count <= 0) return;
    out[0] = x[0];
    for (int j = 1; j < count; ++j) out[j] = x[j] > out[j - 1] ? x[j] : out[j - 1];
}

void NegativeEnvelope(const float* x, int count, float* out) {
    if (count <= 0) return;
    out[0] = x[0];
    for (int j = 1; j < count; ++j) out[j] = x[j] >= out[j - 1] ? out[j - 1] : x[j];
}

}  // namespace tremvix
