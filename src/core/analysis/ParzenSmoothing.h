#pragma once

#include "core/analysis/AnalysisRefusal.h"

#include <optional>
#include <span>
#include <vector>

namespace tremvix {

class FourierTransformer;

struct SmoothedSpectrum {
    std::vector<double> amplitudes;  // one per input point
    std::optional<AnalysisRefusal> refusal;
};

// Parzen smoothing of an amplitude spectrum sampled every frequencyStep Hz from
// 0 Hz. The spectral window of bandwidth b Hz,
//   W(f) = (3/4) u [sin(pi u f / 2) / (pi u f / 2)]^4,  u = 280 / (151 b),
// is cut at its first zeros +-2/u, sampled at the spectrum's points and normalised
// to sum 1 over the points that exist, so near the ends too a flat spectrum stays
// flat. Wide windows are convolved by FFT (rounding of about 1e-16 of the largest
// amplitude; results are kept >= 0 as amplitudes are). Refused: no points, a step
// or bandwidth not positive or not finite, an amplitude not finite.
SmoothedSpectrum SmoothParzen(std::span<const double> amplitudes, double frequencyStep, double bandwidth,
                              FourierTransformer& transformer);
SmoothedSpectrum SmoothParzen(std::span<const double> amplitudes, double frequencyStep, double bandwidth);

}  // namespace tremvix
