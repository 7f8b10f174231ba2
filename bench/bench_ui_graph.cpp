// One full drawing of the graph: eight channels of noisy samples with the whole
// record in the window, stacked and overlaid, at 30,000 and at 1,000,000 samples a
// channel, reported as time per drawing.
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

struct Scene {
    std::unique_ptr<tremvix::ChannelStore> store = std::make_unique<tremvix::ChannelStore>();
    tremvix::ChannelList list;
    TMyWave wave;
    GraphProcedure graph;
    GraphLayout layout;
    GraphRequest request;
    int samples;

    explicit Scene(int sampleCount) : samples(sampleCount) {
        wave.resize(625, 425);
        wave.OriginX = 60;
        wave.NGridX = 5;
        std::mt19937 gen(11);
        std::normal_distribution<float> noise(0.0f, 20.0f);
        for (int k = 0; k < kChannels; ++k) {
            tremvix::ChannelRecord& record = store->BaseBank[k];
            record.Filled = 1;
            record.SampleCount = samples;
            record.Samples.resize(static_cast<std::size_t>(samples));
            for (int j = 0; j < samples; ++j)
                record.Samples[j] = 100.0f * std::sin(0.01f * j * (k + 1)) + noise(gen);
            list.SetCell(tremvix::ChannelList::kUnit, k + 1, "gal");
            list.SetCell(tremvix::ChannelList::kType, k + 1, "A");
            list.SetCell(tremvix::ChannelList::kSelect, k + 1, tremvix::ChannelList::kMark);
        }
        store->ChannelCount = kChannels;
        store->NothingTransferred = false;
        request.DisplayTime = static_cast<float>(samples) / 100.0f;  // the whole record at 100 per second
        request.colour = true;
    }

    void Draw(benchmark::State& state) {
        for (auto _ : state) {
            const GraphOutcome outcome = graph.Run(*store, list, request, wave, layout);
            if (outcome != GraphOutcome::Drawn || layout.WindowLength != samples) state.SkipWithError("not drawn");
            benchmark::DoNotOptimize(wave.image().constBits());
        }
    }
};

void BM_GraphStacked(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    scene.Draw(state);
}
BENCHMARK(BM_GraphStacked)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_GraphOverlaid(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    scene.request.overwrite = true;
    scene.Draw(state);
}
BENCHMARK(BM_GraphOverlaid)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
