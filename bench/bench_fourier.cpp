// Fourier amplitude spectrum of 1,000,000 samples and its Parzen smoothing with a
// 0.4 Hz bandwidth (about 4,300 points each side at 0.01 s sampling), one
// transformer kept across iterations as a window would keep it. The smoothing of
// a short stretch by the direct sum is the baseline: its time per point, times
// the 500,001 points, is what a direct smoothing of the whole spectrum would cost.
// FFTW's own real-to-complex transform of the same length, with a kept plan and
// buffers, plus the magnitudes, is the baseline of the spectrum.
#include "core/analysis/FourierSpectrum.h"
#include "core/analysis/FourierTransformer.h"
#include "core/analysis/ParzenSmoothing.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr std::size_t kSamples = 1000000;
constexpr double kDt = 0.01;
constexpr double kBandwidth = 0.4;

std::vector<float> Record() {
    std::mt19937 gen(5);
    std::normal_distribution<float> dist(0.0f, 80.0f);
    std::vector<float> a(kSamples);
    for (float& v : a) v = dist(gen);
    return a;
}

void BM_FourierSpectrum(benchmark::State& state) {
    const std::vector<float> a = Record();
    tremvix::FourierTransformer transformer;
    for (auto _ : state) {
        tremvix::FourierSpectrum s = tremvix::ComputeFourierSpectrum(a, kDt, {}, transformer);
        benchmark::DoNotOptimize(s.amplitudes.data());
    }
}
BENCHMARK(BM_FourierSpectrum)->Unit(benchmark::kMillisecond);

// The transform alone: samples already in the plan's input, magnitudes into a kept vector.
void BM_FftwTransformBaseline(benchmark::State& state) {
    const std::vector<float> a = Record();
    double* in = fftw_alloc_real(kSamples);
    fftw_complex* out = fftw_alloc_complex(kSamples / 2 + 1);
    const fftw_plan plan = fftw_plan_dft_r2c_1d(static_cast<int>(kSamples), in, out, FFTW_ESTIMATE);
    std::copy(a.begin(), a.end(), in);
    std::vector<double> magnitudes(kSamples / 2 + 1);
    for (auto _ : state) {
        fftw_execute(plan);
        for (std::size_t k = 0; k < magnitudes.size(); ++k)
            magnitudes[k] = kDt * std::abs(std::complex<double>(out[k][0], out[k][1]));
        benchmark::DoNotOptimize(magnitudes.data());
    }
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(BM_FftwTransformBaseline)->Unit(benchmark::kMillisecond);

void BM_ParzenSmoothing(benchmark::State& state) {
    tremvix::FourierTransformer transformer;
    const tremvix::FourierSpectrum s = tremvix::ComputeFourierSpectrum(Record(), kDt, {}, transformer);
    for (auto _ : state) {
        tremvix::SmoothedSpectrum smooth = tremvix::SmoothParzen(s.amplitudes, s.frequencyStep, kBandwidth, transformer);
        benchmark::DoNotOptimize(smooth.amplitudes.data());
    }
}
BENCHMARK(BM_ParzenSmoothing)->Unit(benchmark::kMillisecond);

void BM_SpectrumAndSmoothing(benchmark::State& state) {
    const std::vector<float> a = Record();
    tremvix::FourierTransformer transformer;
    for (auto _ : state) {
        tremvix::FourierSpectrum s = tremvix::ComputeFourierSpectrum(a, kDt, {}, transformer);
        tremvix::SmoothedSpectrum smooth = tremvix::SmoothParzen(s.amplitudes, s.frequencyStep, kBandwidth, transformer);
        benchmark::DoNotOptimize(smooth.amplitudes.data());
    }
}
BENCHMARK(BM_SpectrumAndSmoothing)->Unit(benchmark::kMillisecond);

// The direct weighted sum over the same window for 2,000 points, reported per point.
void BM_DirectSmoothingPerPoint(benchmark::State& state) {
    tremvix::FourierTransformer transformer;
    const tremvix::FourierSpectrum s = tremvix::ComputeFourierSpectrum(Record(), kDt, {}, transformer);
    const double u = 280.0 / (151.0 * kBandwidth);
    const auto half = static_cast<std::size_t>(2.0 / u / s.frequencyStep);
    std::vector<double> w(half + 1, 1.0);
    for (std::size_t j = 1; j <= half; ++j) {
        const double x = std::numbers::pi * u * static_cast<double>(j) * s.frequencyStep / 2.0;
        w[j] = std::pow(std::sin(x) / x, 4);
    }
    constexpr std::size_t kPoints = 2000;
    std::vector<double> out(kPoints);
    const std::size_t first = 100000;
    for (auto _ : state) {
        for (std::size_t k = first; k < first + kPoints; ++k) {
            double sum = w[0] * s.amplitudes[k], weights = w[0];
            for (std::size_t j = 1; j <= half; ++j) {
                sum += w[j] * (s.amplitudes[k - j] + s.amplitudes[k + j]);
                weights += 2.0 * w[j];
            }
            out[k - first] = sum / weights;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["s_per_point"] = benchmark::Counter(
        static_cast<double>(kPoints), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DirectSmoothingPerPoint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
