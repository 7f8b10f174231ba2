#include "core/analysis/ParzenSmoothing.h"

#include "core/analysis/FourierTransformer.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace tremvix {

namespace {

// Up to this many multiply-adds the window is applied directly.
constexpr double kDirectWorkLimit = 4.0e6;

std::optional<AnalysisRefusal> CheckInput(std::span<const double> amplitudes, double frequencyStep, double bandwidth) {
    auto refuse = [](AnalysisRefusalKind kind) { return std::optional<AnalysisRefusal>(AnalysisRefusal{kind}); };
    if (amplitudes.empty()) {
        return refuse(AnalysisRefusalKind::TooFewSamples);
    }
    if (!std::isfinite(frequencyStep) || frequencyStep <= 0.0) {
        return refuse(AnalysisRefusalKind::BadSamplingStep);
    }
    if (!std::isfinite(bandwidth) || bandwidth <= 0.0) {
        return refuse(AnalysisRefusalKind::BadBandwidth);
    }
    if (!std::all_of(amplitudes.begin(), amplitudes.end(), [](double a) { return std::isfinite(a); })) {
        return refuse(AnalysisRefusalKind::NonFiniteSample);
    }
    return std::nullopt;
}

// Window weights at 0, df, 2 df, ... up to the first zero, without the constant
// factor (it cancels in the normalisation); never more points than the spectrum has.
std::vector<double> HalfWindow(double frequencyStep, double bandwidth, std::size_t points) {
    const double u = 280.0 / (151.0 * bandwidth);
    const double reach = (2.0 / u) / frequencyStep;
    const std::size_t half = reach >= static_cast<double>(points) ? points - 1 : static_cast<std::size_t>(reach);
    std::vector<double> w(half + 1);
    w[0] = 1.0;
    for (std::size_t j = 1; j <= half; ++j) {
        const double arg = std::numbers::pi * u * (static_cast<double>(j) * frequencyStep) / 2.0;
        const double sinc = std::sin(arg) / arg;
        w[j] = sinc * sinc * sinc * sinc;
    }
    return w;
}

std::vector<double> Direct(std::span<const double> a, const std::vector<double>& w) {
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(a.size());
    const std::ptrdiff_t half = static_cast<std::ptrdiff_t>(w.size()) - 1;
    std::vector<double> out(a.size());
    for (std::ptrdiff_t k = 0; k < n; ++k) {
        double sum = w[0] * a[static_cast<std::size_t>(k)];
        for (std::ptrdiff_t j = 1; j <= half; ++j) {
            const double weight = w[static_cast<std::size_t>(j)];
            if (k - j >= 0) sum += weight * a[static_cast<std::size_t>(k - j)];
            if (k + j < n) sum += weight * a[static_cast<std::size_t>(k + j)];
        }
        out[static_cast<std::size_t>(k)] = sum;
    }
    return out;
}

bool SmoothLength(std::size_t n) {
    for (const std::size_t p : {2u, 3u, 5u, 7u}) {
        while (n % p == 0) n /= p;
    }
    return n == 1;
}

// A length at least n whose only prime factors are 2, 3, 5 and 7: fast for FFTW.
std::size_t TransformLength(std::size_t n) {
    while (!SmoothLength(n)) ++n;
    return n;
}

// Circular convolution long enough that nothing wraps onto the spectrum's points.
std::vector<double> ByTransform(std::span<const double> a, const std::vector<double>& w,
                                FourierTransformer& transformer) {
    const std::size_t half = w.size() - 1;
    const std::size_t length = TransformLength(a.size() + half);
    std::vector<double> data(length, 0.0);
    std::copy(a.begin(), a.end(), data.begin());
    std::vector<double> kernel(length, 0.0);
    kernel[0] = w[0];
    for (std::size_t j = 1; j <= half; ++j) {
        kernel[j] = w[j];
        kernel[length - j] = w[j];
    }
    std::vector<std::complex<double>> dataSpectrum, kernelSpectrum;
    transformer.Forward(data, dataSpectrum);
    transformer.Forward(kernel, kernelSpectrum);
    for (std::size_t k = 0; k < dataSpectrum.size(); ++k) {
        dataSpectrum[k] *= kernelSpectrum[k];
    }
    std::vector<double> out;
    transformer.Inverse(dataSpectrum, length, out);
    out.resize(a.size());
    for (double& v : out) v /= static_cast<double>(length);
    return out;
}

// Sum of the weights that fall on existing points around point k, from the
// running sums of the half window.
void Normalise(std::vector<double>& sums, const std::vector<double>& w) {
    std::vector<double> running(w.size());
    double total = 0.0;
    for (std::size_t j = 0; j < w.size(); ++j) {
        total += w[j];
        running[j] = total;
    }
    const std::size_t half = w.size() - 1;
    const std::size_t n = sums.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double weight = running[std::min(half, k)] + running[std::min(half, n - 1 - k)] - w[0];
        sums[k] = std::max(0.0, sums[k] / weight);
    }
}

}  // namespace

SmoothedSpectrum SmoothParzen(std::span<const double> amplitudes, double frequencyStep, double bandwidth,
                              FourierTransformer& transformer) {
    SmoothedSpectrum result;
    result.refusal = CheckInput(amplitudes, frequencyStep, bandwidth);
    if (result.refusal) {
        return result;
    }
    const std::vector<double> w = HalfWindow(frequencyStep, bandwidth, amplitudes.size());
    const double work = static_cast<double>(amplitudes.size()) * static_cast<double>(2 * w.size() - 1);
    result.amplitudes = work <= kDirectWorkLimit ? Direct(amplitudes, w) : ByTransform(amplitudes, w, transformer);
    Normalise(result.amplitudes, w);
    return result;
}

SmoothedSpectrum SmoothParzen(std::span<const double> amplitudes, double frequencyStep, double bandwidth) {
    FourierTransformer transformer;
    return SmoothParzen(amplitudes, frequencyStep, bandwidth, transformer);
}

}  // namespace tremvix
