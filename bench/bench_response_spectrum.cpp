// Response spectrum of a 30,000-sample record (dt 0.01 s), 200 default periods,
// one damping: the blocked, threaded computation against a plain scalar loop of
// the same recursion, one oscillator after another.
#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/SdofRecursion.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr std::size_t kSamples = 30000;
constexpr double kDt = 0.01;

std::vector<float> Record() {
    std::mt19937 gen(5);
    std::normal_distribution<float> dist(0.0f, 80.0f);
    std::vector<float> a(kSamples);
    for (float& v : a) {
        v = dist(gen);
    }
    return a;
}

struct Peaks {
    double sd = 0.0, sv = 0.0, sa = 0.0;
};

Peaks ScalarOscillator(const std::vector<double>& ag, double period, double zeta) {
    const double omega = 2.0 * std::numbers::pi / period;
    const int m = tremvix::SubstepsPerSample(period, kDt);
    const tremvix::SdofStep s = tremvix::MakeSdofStep(omega, zeta, kDt / m);
    double x = 0.0, v = 0.0;
    Peaks p;
    for (std::size_t i = 0; i + 1 < ag.size(); ++i) {
        for (int j = 1; j <= m; ++j) {
            const double gs = ag[i] + (ag[i + 1] - ag[i]) * (j - 1) / m;
            const double ge = ag[i] + (ag[i + 1] - ag[i]) * j / m;
            const double xn = s.a11 * x + s.a12 * v + s.b11 * gs + s.b12 * ge;
            const double vn = s.a21 * x + s.a22 * v + s.b21 * gs + s.b22 * ge;
            x = xn;
            v = vn;
            p.sd = std::max(p.sd, std::abs(x));
            p.sv = std::max(p.sv, std::abs(v));
            p.sa = std::max(p.sa, std::abs(2.0 * zeta * omega * v + omega * omega * x));
        }
    }
    return p;
}

void BM_ResponseSpectrum(benchmark::State& state) {
    const std::vector<float> a = Record();
    tremvix::ResponseSpectrumOptions options;
    options.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tremvix::ResponseSpectrumResult r = tremvix::ComputeResponseSpectrum(a, kDt, options);
        benchmark::DoNotOptimize(r.spectra.data());
    }
}
BENCHMARK(BM_ResponseSpectrum)->Arg(1)->Arg(2)->ArgName("threads")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScalarLoop(benchmark::State& state) {
    const std::vector<float> a = Record();
    const std::vector<double> ag(a.begin(), a.end());
    const std::vector<double> periods = tremvix::DefaultSpectrumPeriods();
    std::vector<Peaks> out(periods.size());
    for (auto _ : state) {
        for (std::size_t p = 0; p < periods.size(); ++p) {
            out[p] = ScalarOscillator(ag, periods[p], tremvix::kDefaultDamping);
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_ScalarLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
