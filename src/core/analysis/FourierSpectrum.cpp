#include "core/analysis/FourierSpectrum.h"

#include "core/analysis/ComplexMagnitude.h"
#include "core/analysis/FourierTransformer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <numbers>

namespace tremvix {

namespace {

std::optional<AnalysisRefusal> CheckInput(std::span<const float> samples, double dt, const FourierOptions& options) {
    auto refuse = [](AnalysisRefusalKind kind) { return std::optional<AnalysisRefusal>(AnalysisRefusal{kind}); };
    if (samples.size() < 2) {
        return refuse(AnalysisRefusalKind::TooFewSamples);
    }
    if (!std::isfinite(dt) || dt <= 0.0) {
        return refuse(AnalysisRefusalKind::BadSamplingStep);
    }
    if (!std::all_of(samples.begin(), samples.end(), [](float a) { return std::isfinite(a); })) {
        return refuse(AnalysisRefusalKind::NonFiniteSample);
    }
    if (!(options.taperFraction >= 0.0 && options.taperFraction <= 0.5)) {
        return refuse(AnalysisRefusalKind::BadTaper);
    }
    return std::nullopt;
}

// The samples as transformed, written straight into the plan's input: the mean
// removed, the ends tapered, zeros after the record up to the plan's length.
void Prepare(std::span<const float> samples, const FourierOptions& options, std::span<double> x) {
    const std::size_t n = samples.size();
    std::copy(samples.begin(), samples.end(), x.begin());
    const std::span<double> record = x.first(n);
    if (options.removeMean) {
        double sum = 0.0;
        for (const double v : record) sum += v;
        const double mean = sum / static_cast<double>(n);
        for (double& v : record) v -= mean;
    }
    if (options.taperFraction > 0.0) {
        for (std::size_t i = 0; i < n; ++i) {
            record[i] *= CosineTaperWeight(i, n, options.taperFraction);
        }
    }
    std::fill(x.begin() + static_cast<std::ptrdiff_t>(n), x.end(), 0.0);
}

}  // namespace

double CosineTaperWeight(std::size_t i, std::size_t n, double fraction) {
    const auto length = static_cast<std::size_t>(std::floor(fraction * static_cast<double>(n)));
    const std::size_t fromEnd = n - 1 - i;
    const std::size_t nearest = std::min(i, fromEnd);
    if (length == 0 || nearest >= length) {
        return 1.0;
    }
    return 0.5 * (1.0 - std::cos(std::numbers::pi * static_cast<double>(nearest) / static_cast<double>(length)));
}

FourierSpectrum ComputeFourierSpectrum(std::span<const float> samples, double dt, const FourierOptions& options,
                                       FourierTransformer& transformer) {
    FourierSpectrum result;
    result.refusal = CheckInput(samples, dt, options);
    if (result.refusal) {
        return result;
    }
    const std::size_t length = options.padToPowerOfTwo ? std::bit_ceil(samples.size()) : samples.size();
    const FourierPlan plan = transformer.PlanFor(length);
    Prepare(samples, options, plan.Real());
    plan.Forward();
    const std::span<const std::complex<double>> spectrum = plan.Spectrum();

    const double n = static_cast<double>(length);
    result.frequencyStep = 1.0 / (n * dt);
    result.frequencies.resize(spectrum.size());
    result.amplitudes.resize(spectrum.size());
    for (std::size_t k = 0; k < spectrum.size(); ++k) result.frequencies[k] = static_cast<double>(k) / (n * dt);
    ScaledMagnitudes(spectrum, dt, result.amplitudes);
    return result;
}

FourierSpectrum ComputeFourierSpectrum(std::span<const float> samples, double dt, const FourierOptions& options) {
    FourierTransformer transformer;
    return ComputeFourierSpectrum(samples, dt, options, transformer);
}

}  // namespace tremvix
