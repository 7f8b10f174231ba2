// The long-period class, the SI value and RotD spectra of a 30,000-sample record
// (dt 0.01 s). Baselines in the same run: the response spectrum of one component at
// the same 200 periods, and RotD with every point rotated to every angle (the naive
// way the rotated peaks could be found).
#include "core/analysis/LongPeriodGroundMotion.h"
#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/RotatedSpectrum.h"
#include "core/analysis/SdofRecursion.h"
#include "core/analysis/SpectrumIntensity.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr std::size_t kSamples = 30000;
constexpr double kRate = 100.0;

std::vector<float> Record(unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<float> dist(0.0f, 80.0f);
    std::vector<float> a(kSamples);
    for (float& v : a) v = dist(gen);
    return a;
}

void BM_LongPeriodClass(benchmark::State& state) {
    const std::vector<float> ns = Record(5), ew = Record(6);
    for (auto _ : state) {
        tremvix::LongPeriodResult r = tremvix::ComputeLongPeriodClass(ns, ew, kRate);
        benchmark::DoNotOptimize(r.rows.data());
    }
}
BENCHMARK(BM_LongPeriodClass)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SpectrumIntensity(benchmark::State& state) {
    const std::vector<float> a = Record(5);
    for (auto _ : state) benchmark::DoNotOptimize(tremvix::ComputeSpectrumIntensity(a, kRate).si);
}
BENCHMARK(BM_SpectrumIntensity)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResponseSpectrumOneComponent(benchmark::State& state) {
    const std::vector<float> a = Record(5);
    for (auto _ : state) {
        tremvix::ResponseSpectrumResult r = tremvix::ComputeResponseSpectrum(a, 1.0 / kRate);
        benchmark::DoNotOptimize(r.spectra.data());
    }
}
BENCHMARK(BM_ResponseSpectrumOneComponent)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RotD(benchmark::State& state) {
    const std::vector<float> a = Record(5), b = Record(6);
    tremvix::RotatedSpectrumOptions options;
    options.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tremvix::RotatedSpectrumResult r = tremvix::ComputeRotatedSpectrum(a, b, kRate, options);
        benchmark::DoNotOptimize(r.rows.data());
    }
}
BENCHMARK(BM_RotD)->Arg(1)->Arg(2)->ArgName("threads")->Unit(benchmark::kMillisecond)->UseRealTime();

// Every sub-step point rotated to each of the 180 angles, one period after another.
void BM_RotDEveryAngleNaive(benchmark::State& state) {
    const std::vector<float> fa = Record(5), fb = Record(6);
    const std::vector<double> a(fa.begin(), fa.end()), b(fb.begin(), fb.end());
    const std::vector<double> periods = tremvix::DefaultSpectrumPeriods();
    const double dt = 1.0 / kRate;
    std::vector<double> peaks(180), cosines(180), sines(180);
    for (int t = 0; t < 180; ++t) {
        cosines[t] = std::cos(t * std::numbers::pi / 180.0);
        sines[t] = std::sin(t * std::numbers::pi / 180.0);
    }
    for (auto _ : state) {
        for (const double period : periods) {
            const double omega = 2.0 * std::numbers::pi / period;
            const int m = tremvix::SubstepsPerSample(period, dt);
            const tremvix::SdofStep s = tremvix::MakeSdofStep(omega, 0.05, dt / m);
            std::fill(peaks.begin(), peaks.end(), 0.0);
            double xa = 0, va = 0, xb = 0, vb = 0;
            for (std::size_t i = 0; i + 1 < a.size(); ++i) {
                for (int j = 1; j <= m; ++j) {
                    const double ga0 = a[i] + (a[i + 1] - a[i]) * (j - 1) / m, ga1 = a[i] + (a[i + 1] - a[i]) * j / m;
                    const double gb0 = b[i] + (b[i + 1] - b[i]) * (j - 1) / m, gb1 = b[i] + (b[i + 1] - b[i]) * j / m;
                    const double nxa = s.a11 * xa + s.a12 * va + s.b11 * ga0 + s.b12 * ga1;
                    va = s.a21 * xa + s.a22 * va + s.b21 * ga0 + s.b22 * ga1;
                    xa = nxa;
                    const double nxb = s.a11 * xb + s.a12 * vb + s.b11 * gb0 + s.b12 * gb1;
                    vb = s.a21 * xb + s.a22 * vb + s.b21 * gb0 + s.b22 * gb1;
                    xb = nxb;
                    for (int t = 0; t < 180; ++t)
                        peaks[t] = std::max(peaks[t], std::abs(xa * cosines[t] + xb * sines[t]));
                }
            }
            benchmark::DoNotOptimize(peaks.data());
        }
    }
}
BENCHMARK(BM_RotDEveryAngleNaive)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
