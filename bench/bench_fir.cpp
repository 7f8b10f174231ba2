// ApplyFir on a full record against a naive float convolution of the same size,
// reported as time per multiply-add.
#include "core/dsp/FilterSettings.h"
#include "core/dsp/Fir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr std::int32_t kTaps = tremvix::FilterSettings::kCoefficients;

// The record length is the benchmark's argument: 30,000 samples and 1,000,000.
std::int32_t Samples(const benchmark::State& state) { return static_cast<std::int32_t>(state.range(0)); }

std::vector<float> RandomRecord(std::int32_t samples) {
    std::mt19937 gen(7);
    std::normal_distribution<float> dist(0.0f, 100.0f);
    std::vector<float> x(static_cast<std::size_t>(samples));
    for (float& v : x) {
        v = dist(gen);
    }
    return x;
}

const tremvix::FilterSettings& Settings() {
    static const tremvix::FilterSettings settings = [] {
        tremvix::FilterSettings s;
        s.StartUp();
        return s;
    }();
    return settings;
}

// The kernel as one would first write it, in plain float arithmetic.
void NaiveFloatFir(const float* h, std::int32_t m, float* x, std::int32_t n) {
    std::vector<float> y(static_cast<std::size_t>(n), 0.0f);
    for (std::int32_t i = 0; i < n; ++i) {
        float acc = x[i] * h[0];
        for (std::int32_t j = 1; j < m; ++j) {
            const float left = i - j >= 0 ? x[i - j] : 0.0f;
            const float right = i + j < n ? x[i + j] : 0.0f;
            acc = (left + right) * h[j] + acc;
        }
        y[static_cast<std::size_t>(i)] = acc;
    }
    std::copy(y.begin(), y.end(), x);
}

// Seconds per multiply-add, shown with an SI prefix (e.g. 850p = 0.85 ns).
// The kernel's own arithmetic written straight from its description: one output
// at a time, a test for the record's ends at every step.
void NaiveExtendedFir(const float* h, std::int32_t m, float* x, std::int32_t n) {
    std::vector<float> y(static_cast<std::size_t>(n), 0.0f);
    for (std::int32_t i = 0; i < n; ++i) {
        float acc = static_cast<float>(static_cast<long double>(x[i]) * h[0]);
        for (std::int32_t j = 1; j < m; ++j) {
            const float left = i - j >= 0 ? x[i - j] : 0.0f;
            const float right = i + j < n ? x[i + j] : 0.0f;
            acc = static_cast<float>((static_cast<long double>(left) + right) * h[j] + acc);
        }
        y[static_cast<std::size_t>(i)] = acc;
    }
    std::copy(y.begin(), y.end(), x);
}

void SetRate(benchmark::State& state) {
    const double macs = static_cast<double>(Samples(state)) * (kTaps - 1);
    state.counters["s_per_mac"] = benchmark::Counter(
        macs, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Each iteration filters a fresh copy, so that repeated filtering never drives
// the samples towards the (slow) subnormal range.
void BM_ApplyFir(benchmark::State& state) {
    const std::vector<float> input = RandomRecord(Samples(state));
    std::vector<float> x(input.size());
    for (auto _ : state) {
        x = input;
        tremvix::ApplyFir(kTaps, Settings().LowPass.data(), x.data(), Samples(state));
        benchmark::DoNotOptimize(x.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}
BENCHMARK(BM_ApplyFir)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_NaiveFloatFir(benchmark::State& state) {
    const std::vector<float> input = RandomRecord(Samples(state));
    std::vector<float> x(input.size());
    for (auto _ : state) {
        x = input;
        NaiveFloatFir(Settings().LowPass.data(), kTaps, x.data(), Samples(state));
        benchmark::DoNotOptimize(x.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}
BENCHMARK(BM_NaiveFloatFir)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_NaiveExtendedFir(benchmark::State& state) {
    const std::vector<float> input = RandomRecord(Samples(state));
    std::vector<float> x(input.size());
    for (auto _ : state) {
        x = input;
        NaiveExtendedFir(Settings().LowPass.data(), kTaps, x.data(), Samples(state));
        benchmark::DoNotOptimize(x.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}
BENCHMARK(BM_NaiveExtendedFir)->Arg(30000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
