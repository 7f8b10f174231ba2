// One full drawing of the graph: eight channels of 30,000 noisy samples with a
// 30,000-sample window, stacked and overlaid, reported as time per drawing.
#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "ui/display/GraphProcedure.h"
#include "ui/display/Mywave.h"

#include "QtBenchMain.h"


#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>

namespace {

constexpr int kChannels = 8;
constexpr int kSamples = 30000;

struct Scene {
    std::unique_ptr<tremvix::ChannelStore> store = std::make_unique<tremvix::ChannelStore>();
    tremvix::ChannelList list;
    TMyWave wave;
    GraphProcedure graph;
    GraphLayout layout;
    GraphRequest request;

    Scene() {
        wave.resize(625, 425);
        wave.OriginX = 60;
        wave.NGridX = 5;
        std::mt19937 gen(11);
        std::normal_distribution<float> noise(0.0f, 20.0f);
        for (int k = 0; k < kChannels; ++k) {
            tremvix::ChannelRecord& record = store->BaseBank[k];
            record.Filled = 1;
            record.SampleCount = kSamples;
            for (int j = 0; j < kSamples; ++j)
                record.Samples[j] = 100.0f * std::sin(0.01f * j * (k + 1)) + noise(gen);
            list.SetCell(tremvix::ChannelList::kUnit, k + 1, "gal");
            list.SetCell(tremvix::ChannelList::kType, k + 1, "A");
            list.SetCell(tremvix::ChannelList::kSelect, k + 1, tremvix::ChannelList::kMark);
        }
        store->ChannelCount = kChannels;
        store->NothingTransferred = false;
        request.DisplayTime = 300.0f;  // 30,000 samples at 100 per second
        request.colour = true;
    }

    void Draw(benchmark::State& state) {
        for (auto _ : state) {
            const GraphOutcome outcome = graph.Run(*store, list, request, wave, layout);
            if (outcome != GraphOutcome::Drawn || layout.WindowLength != kSamples) state.SkipWithError("not drawn");
            benchmark::DoNotOptimize(wave.image().constBits());
        }
    }
};

void BM_GraphStacked(benchmark::State& state) {
    Scene scene;
    scene.Draw(state);
}
BENCHMARK(BM_GraphStacked)->Unit(benchmark::kMillisecond);

void BM_GraphOverlaid(benchmark::State& state) {
    Scene scene;
    scene.request.overwrite = true;
    scene.Draw(state);
}
BENCHMARK(BM_GraphOverlaid)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
