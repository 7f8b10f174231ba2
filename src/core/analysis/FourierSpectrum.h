#pragma once

#include "core/analysis/AnalysisRefusal.h"

#include <optional>
#include <span>
#include <vector>

namespace tremvix {

class FourierTransformer;

// Everything off by default: the samples are transformed as stored.
struct FourierOptions {
    bool removeMean = false;
    // Cosine taper over this fraction of the record at each end (0.05 is
    // customary), applied after the mean removal; 0 = none. At most 0.5.
    double taperFraction = 0.0;
    // Zeros appended up to the next power of two; N is then the padded length.
    bool padToPowerOfTwo = false;
};

// With a refusal nothing else is meaningful.
struct FourierSpectrum {
    std::vector<double> frequencies;  // Hz: k / (N dt), k = 0 .. N/2
    std::vector<double> amplitudes;   // dt |sum x[n] e^(-2 pi i k n / N)|: sample unit times s (gal -> cm/s)
    double frequencyStep = 0.0;       // 1 / (N dt)
    std::optional<AnalysisRefusal> refusal;
};

// Fourier amplitude spectrum. Refused: fewer than 2 samples, dt not positive or
// not finite, a sample not finite, a taper fraction outside [0, 0.5].
FourierSpectrum ComputeFourierSpectrum(std::span<const float> samples, double dt, const FourierOptions& options,
                                       FourierTransformer& transformer);
FourierSpectrum ComputeFourierSpectrum(std::span<const float> samples, double dt, const FourierOptions& options = {});

// The taper weight of sample i of n for the fraction above: 0.5 (1 - cos(pi i / L))
// over the first L = floor(fraction n) samples, mirrored over the last L, 1 between.
double CosineTaperWeight(std::size_t i, std::size_t n, double fraction);

}  // namespace tremvix
