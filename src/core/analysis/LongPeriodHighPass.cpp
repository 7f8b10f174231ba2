#include "core/analysis/LongPeriodHighPass.h"

#include <cmath>
#include <numbers>

namespace tremvix {

std::optional<HighPassBiquad> DesignLongPeriodHighPass(double rate) {
    if (!std::isfinite(rate) || rate <= 2.0 * kLongPeriodHighPassCorner) return std::nullopt;
    const double k = std::tan(std::numbers::pi * kLongPeriodHighPassCorner / rate);
    if (!std::isfinite(k) || k <= 0.0) return std::nullopt;
    const double root2k = std::numbers::sqrt2 * k;
    const double g0 = 1.0 / (1.0 + root2k + k * k);
    return HighPassBiquad{2.0 * (k * k - 1.0) * g0, (1.0 - root2k + k * k) * g0, g0};
}

std::vector<double> ApplyHighPass(std::span<const float> samples, const HighPassBiquad& filter) {
    std::vector<double> out(samples.size());
    double a1 = 0.0, a2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (std::size_t t = 0; t < samples.size(); ++t) {
        const double a = samples[t];
        const double y = a - 2.0 * a1 + a2 - filter.b1 * y1 - filter.b2 * y2;
        out[t] = filter.g0 * y;
        a2 = a1;
        a1 = a;
        y2 = y1;
        y1 = y;
    }
    return out;
}

}  // namespace tremvix
