// JMA instrumental intensity of three 30,000-sample components at 100 Hz, with a
// kept transformer (plans made once) and with a fresh one per call (planning
// included each time).
#include "core/analysis/FourierTransformer.h"
#include "core/analysis/JmaIntensity.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr std::size_t kSamples = 30000;

std::vector<float> Component(unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<float> dist(0.0f, 80.0f);
    std::vector<float> a(kSamples);
    for (float& v : a) v = dist(gen);
    return a;
}

void BM_JmaIntensityKeptPlans(benchmark::State& state) {
    const std::vector<float> ns = Component(1), ew = Component(2), ud = Component(3);
    tremvix::FourierTransformer transformer;
    for (auto _ : state) {
        tremvix::JmaIntensity r = tremvix::ComputeJmaIntensity(ns, ew, ud, 100.0, transformer);
        benchmark::DoNotOptimize(r.a0);
    }
}
BENCHMARK(BM_JmaIntensityKeptPlans)->Unit(benchmark::kMillisecond);

void BM_JmaIntensityFreshPlans(benchmark::State& state) {
    const std::vector<float> ns = Component(1), ew = Component(2), ud = Component(3);
    for (auto _ : state) {
        tremvix::JmaIntensity r = tremvix::ComputeJmaIntensity(ns, ew, ud, 100.0);
        benchmark::DoNotOptimize(r.a0);
    }
}
BENCHMARK(BM_JmaIntensityFreshPlans)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
