#include "core/display/PointerToSample.h"

#include <cmath>
#include <limits>

namespace tremvix {

namespace {

std::int32_t TruncateToInt(long double value) {
    if (!(value == value)) return 0;
    constexpr long double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr long double kMin = std::numeric_limits<std::int32_t>::min();
    if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
    if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace

PointedSample PointerToSample(const PointerMapping& m, int x, int y) {
    PointedSample pointed;
    if (m.UnitLenX != 0 && m.SamplingInterval != 0.0f) {
        const long double dx = static_cast<long double>(x) - m.OriginX;
        const float t = static_cast<float>(dx / m.UnitLenX * m.VValueX +
                                           static_cast<long double>(m.StartIndex) * m.SamplingInterval);
        pointed.sample = TruncateToInt(static_cast<long double>(t) / m.SamplingInterval);
    }
    // No drawing yet (or a degenerate one): no band at all.
    if (m.TraceHeight <= 0) return pointed;
    const long long shifted = static_cast<long long>(y) + m.TraceHeight / 2 - m.HalfTraceHeight;
    pointed.band = static_cast<std::int32_t>(shifted / m.TraceHeight);
    pointed.inBand = shifted >= 0 && pointed.band >= 0 && pointed.band < m.BandCount && m.SelectedChannels;
    if (pointed.inBand) pointed.channel = m.SelectedChannels[pointed.band];
    return pointed;
}

}  // namespace tremvix
