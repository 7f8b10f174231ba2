// One redraw of the spectrum window's graph: the curves computed by the core and
// drawn on the logarithmic frame, for three channels of 30,000 samples (response
// spectra, 5 %) and of 1,000,000 samples (Fourier spectra). The core's computation
// alone is the baseline; the drawing alone shows what the window adds.
#include "core/analysis/FourierTransformer.h"
#include "core/data/ChannelStore.h"
#include "ui/analysis/LoadedChannels.h"
#include "ui/analysis/SpectrumDrawing.h"
#include "ui/analysis/SpectrumPlot.h"
#include "ui/components/Mygraph.h"

#include "QtBenchMain.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>
#include <random>

namespace {

constexpr double kDt = 0.01;

std::unique_ptr<tremvix::ChannelStore> Store(int samples) {
    auto store = std::make_unique<tremvix::ChannelStore>();
    std::mt19937 gen(7);
    std::normal_distribution<float> noise(0.0f, 20.0f);
    for (int k = 0; k < 3; ++k) {
        tremvix::ChannelRecord& r = store->BaseBank[k];
        r.Filled = 1;
        r.Unit[0] = 'g', r.Unit[1] = 'a', r.Unit[2] = 'l';
        r.Samples.resize(static_cast<std::size_t>(samples));
        for (int i = 0; i < samples; ++i)
            r.Samples[i] = noise(gen) + 100.0f * static_cast<float>(std::sin(0.3 * i * (k + 1)));
        r.SampleCount = samples;
    }
    store->ChannelCount = 3;
    store->DataCount = samples;
    return store;
}

SpectrumRequest Request(SpectrumKind kind) {
    SpectrumRequest request;
    request.kind = kind;
    request.channels = {0, 1, 2};
    request.dampings = {0.05};
    return request;
}

struct Scene {
    std::unique_ptr<tremvix::ChannelStore> store;
    std::vector<LoadedChannel> channels;
    SpectrumRequest request;
    std::array<tremvix::FourierTransformer, 2> transformers;
    TMyGraph graph;

    Scene(int samples, SpectrumKind kind) : store(Store(samples)), channels(LoadedChannelsOf(*store)), request(Request(kind)) {
        graph.resize(kSpectrumGraphWidth, kSpectrumGraphHeight);
    }
};

void Redraw(benchmark::State& state, int samples, SpectrumKind kind) {
    Scene scene(samples, kind);
    for (auto _ : state) {
        const SpectrumPlot plot = ComputeSpectrumPlot(scene.channels, scene.request, kDt, scene.transformers);
        DrawSpectrumPlot(scene.graph, plot);
        benchmark::DoNotOptimize(scene.graph.image().constBits());
    }
}

void ComputeOnly(benchmark::State& state, int samples, SpectrumKind kind) {
    Scene scene(samples, kind);
    for (auto _ : state) {
        const SpectrumPlot plot = ComputeSpectrumPlot(scene.channels, scene.request, kDt, scene.transformers);
        benchmark::DoNotOptimize(plot.curves.data());
    }
}

void DrawOnly(benchmark::State& state, int samples, SpectrumKind kind) {
    Scene scene(samples, kind);
    const SpectrumPlot plot = ComputeSpectrumPlot(scene.channels, scene.request, kDt, scene.transformers);
    for (auto _ : state) {
        DrawSpectrumPlot(scene.graph, plot);
        benchmark::DoNotOptimize(scene.graph.image().constBits());
    }
}

void BM_ResponseRedraw30k(benchmark::State& s) { Redraw(s, 30000, SpectrumKind::Response); }
void BM_ResponseComputeOnly30k(benchmark::State& s) { ComputeOnly(s, 30000, SpectrumKind::Response); }
void BM_ResponseDrawOnly30k(benchmark::State& s) { DrawOnly(s, 30000, SpectrumKind::Response); }
void BM_FourierRedraw1M(benchmark::State& s) { Redraw(s, 1000000, SpectrumKind::Fourier); }
void BM_FourierComputeOnly1M(benchmark::State& s) { ComputeOnly(s, 1000000, SpectrumKind::Fourier); }
void BM_FourierDrawOnly1M(benchmark::State& s) { DrawOnly(s, 1000000, SpectrumKind::Fourier); }

}  // namespace

BENCHMARK(BM_ResponseRedraw30k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResponseComputeOnly30k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ResponseDrawOnly30k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FourierRedraw1M)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FourierComputeOnly1M)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FourierDrawOnly1M)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
