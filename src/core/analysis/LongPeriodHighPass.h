#pragma once

#include <optional>
#include <span>
#include <vector>

namespace tremvix {

// The JMA's pre-filter for the long-period ground-motion class: a second-order
// Butterworth high-pass made by the bilinear transform, corner fc (a period of about
// 19.5 s), applied once, forwards, from a zero state:
//   y[t] = a[t] - 2 a[t-1] + a[t-2] - b1 y[t-1] - b2 y[t-2],  output g0 y[t].
// With K = tan(pi fc / fs): g0 = 1 / (1 + sqrt2 K + K^2), b1 = 2 (K^2 - 1) g0,
// b2 = (1 - sqrt2 K + K^2) g0. At 100 Hz these are the published constants.
struct HighPassBiquad {
    double b1 = 0.0;
    double b2 = 0.0;
    double g0 = 0.0;
};

inline constexpr double kLongPeriodHighPassCorner = 0.0513344838;  // Hz

// nullopt where the corner cannot be designed at that rate (at or above the Nyquist
// frequency, or a rate that is not a positive finite number).
std::optional<HighPassBiquad> DesignLongPeriodHighPass(double rate);

std::vector<double> ApplyHighPass(std::span<const float> samples, const HighPassBiquad& filter);

}  // namespace tremvix
