#pragma once

#include "core/analysis/AnalysisRefusal.h"

#include <optional>
#include <span>
#include <vector>

namespace tremvix {

// Orientation-independent spectra of two horizontal components (gal in, gal out).
struct RotatedSpectrumOptions {
    double damping = 0.05;        // fraction of critical, in [0, 1)
    std::vector<double> periods;  // s; empty: the default spectrum periods
    int threads = 2;              // results do not depend on it
};

struct RotatedSpectrumRow {
    double period = 0.0;     // s; 0 for the row of the ground acceleration itself
    double psaA = 0.0;       // omega^2 Sd of the first component (its PGA in the row of period 0)
    double psaB = 0.0;       // of the second
    double rotd00 = 0.0;     // smallest over the 180 angles of the rotated peak
    double rotd50 = 0.0;     // their median: the mean of the 90th and 91st sorted values
    double rotd100 = 0.0;    // the largest
    int angle100 = 0;        // the angle of the largest, degrees (the first in a tie)
    double gmroti50 = 0.0;   // geometric mean of the two rotated components at the one angle chosen for all periods
};

struct RotatedSpectrumResult {
    std::vector<RotatedSpectrumRow> rows;  // period 0 first, then the periods ascending
    int gmrotiAngle = 0;                   // degrees, 0 … 89
    std::optional<AnalysisRefusal> refusal;
};

// The oscillator (at rest at the first sample, ground linear between samples, the
// sub-steps of the response spectrum) is run under both components at once; its
// relative displacement is rotated, x(θ) = x_a cos θ + x_b sin θ for θ = 0°, 1°, …, 179°,
// and the peak of each is taken times omega^2. RotDnn are percentiles of those 180
// values. GMRotI50 (Boore, Watson-Lamprey and Abrahamson, 2006): the geometric mean
// sqrt(peak(θ) peak(θ + 90°)) at the angle θ of 0° … 89° whose values, divided by
// their median over θ, stray least from 1 (mean square over the periods asked for).
// Refused as the response spectrum refuses, and when the components differ in length.
RotatedSpectrumResult ComputeRotatedSpectrum(std::span<const float> a, std::span<const float> b, double rate,
                                             const RotatedSpectrumOptions& options = {});

}  // namespace tremvix
