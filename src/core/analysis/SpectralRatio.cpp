#include "core/analysis/SpectralRatio.h"

#include "core/analysis/FourierTransformer.h"
#include "core/analysis/ParzenSmoothing.h"

#include <cmath>

namespace tremvix {

namespace {

std::optional<AnalysisRefusal> CheckBand(const SpectralRatioOptions& options) {
    if (std::isnan(options.bandLow) || std::isnan(options.bandHigh) || options.bandLow > options.bandHigh) {
        return AnalysisRefusal{AnalysisRefusalKind::BadBand};
    }
    return std::nullopt;
}

// Smoothed amplitude spectrum, or the first refusal met on the way.
struct Smoothed {
    FourierSpectrum spectrum;
    std::optional<AnalysisRefusal> refusal;
};

Smoothed SmoothedSpectrumOf(std::span<const float> x, double dt, const SpectralRatioOptions& options,
                            FourierTransformer& transformer) {
    Smoothed s{ComputeFourierSpectrum(x, dt, options.fourier, transformer), std::nullopt};
    if (s.spectrum.refusal) {
        s.refusal = s.spectrum.refusal;
        return s;
    }
    SmoothedSpectrum smooth = SmoothParzen(s.spectrum.amplitudes, s.spectrum.frequencyStep, options.bandwidth, transformer);
    if (smooth.refusal) {
        s.refusal = smooth.refusal;
        return s;
    }
    s.spectrum.amplitudes = std::move(smooth.amplitudes);
    return s;
}

// Largest ratio inside [low, high], the first one in a tie; false when the band
// holds no frequency.
bool FindPeak(SpectralRatio& r, double low, double high) {
    bool found = false;
    for (std::size_t k = 0; k < r.frequencies.size(); ++k) {
        const double f = r.frequencies[k];
        if (f < low || f > high) continue;
        if (!found || r.ratios[k] > r.peakRatio) {
            r.peakRatio = r.ratios[k];
            r.peakFrequency = f;
            found = true;
        }
    }
    return found;
}

}  // namespace

SpectralRatio ComputeSpectralRatio(std::span<const float> a, std::span<const float> b, double dt,
                                   const SpectralRatioOptions& options, FourierTransformer& transformer) {
    SpectralRatio result;
    if (a.size() != b.size()) {
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::LengthsDiffer};
        return result;
    }
    if ((result.refusal = CheckBand(options))) {
        return result;
    }
    const Smoothed below = SmoothedSpectrumOf(a, dt, options, transformer);
    if ((result.refusal = below.refusal)) {
        return result;
    }
    const Smoothed above = SmoothedSpectrumOf(b, dt, options, transformer);
    if ((result.refusal = above.refusal)) {
        return result;
    }
    const std::vector<double>& denominator = below.spectrum.amplitudes;
    const std::vector<double>& numerator = above.spectrum.amplitudes;
    result.frequencies = below.spectrum.frequencies;
    result.ratios.resize(denominator.size());
    for (std::size_t k = 0; k < denominator.size(); ++k) {
        result.ratios[k] = denominator[k] == 0.0 ? 0.0 : numerator[k] / denominator[k];
    }
    if (!FindPeak(result, options.bandLow, options.bandHigh)) {
        result = SpectralRatio{};
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::BadBand};
    }
    return result;
}

SpectralRatio ComputeSpectralRatio(std::span<const float> a, std::span<const float> b, double dt,
                                   const SpectralRatioOptions& options) {
    FourierTransformer transformer;
    return ComputeSpectralRatio(a, b, dt, options, transformer);
}

}  // namespace tremvix
