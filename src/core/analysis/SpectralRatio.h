#pragma once

#include "core/analysis/AnalysisRefusal.h"
#include "core/analysis/FourierSpectrum.h"

#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace tremvix {

class FourierTransformer;

struct SpectralRatioOptions {
    FourierOptions fourier;  // applied to both channels alike
    double bandwidth = 0.4;  // Hz, Parzen smoothing of each amplitude spectrum
    double bandLow = 0.0;    // Hz, the band searched for the largest ratio, ends included
    double bandHigh = std::numeric_limits<double>::infinity();
};

// With a refusal nothing else is meaningful.
struct SpectralRatio {
    std::vector<double> frequencies;  // Hz, as the Fourier spectrum's
    std::vector<double> ratios;       // smoothed B / smoothed A; 0 where smoothed A is 0
    double peakFrequency = 0.0;       // Hz, of the largest ratio in the band (the lowest in a tie)
    double peakRatio = 0.0;
    std::optional<AnalysisRefusal> refusal;
};

// Spectral ratio of channel b over channel a, recorded at the same time step.
// Refused as the Fourier spectrum and the smoothing refuse, and: lengths differ,
// a band end not a number, bandLow > bandHigh, no frequency inside the band.
SpectralRatio ComputeSpectralRatio(std::span<const float> a, std::span<const float> b, double dt,
                                   const SpectralRatioOptions& options, FourierTransformer& transformer);
SpectralRatio ComputeSpectralRatio(std::span<const float> a, std::span<const float> b, double dt,
                                   const SpectralRatioOptions& options = {});

}  // namespace tremvix
