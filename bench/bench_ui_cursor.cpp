// One pointer move over a drawn graph of eight channels of 30,000 and of 1,000,000
// samples, the whole record in the window: the cursor line, its erasure and the
// readout, never a redraw of the graph.
#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "ui/app/Forms.h"
#include "ui/app/Uopen.h"
#include "ui/display/Mywave.h"
#include "ui/display/DataListModel.h"
#include "ui/display/Udatalist.h"

#include "QtBenchMain.h"

#include <QPushButton>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void LoadEightChannels(TOpen& open, int samples) {
    tremvix::ChannelStore& store = open.Store();
    for (int k = 0; k < tremvix::kMaxChannels; ++k) {
        tremvix::ChannelRecord& record = store.BaseBank[k];
        record.Filled = 1;
        record.SampleCount = samples;
        record.Samples.resize(static_cast<std::size_t>(samples));
        for (int j = 0; j < samples; ++j) record.Samples[j] = 100.0f * std::sin(0.003f * j * (k + 1));
        open.List().SetCell(tremvix::ChannelList::kUnit, k + 1, "gal");
        open.List().SetCell(tremvix::ChannelList::kSelect, k + 1, tremvix::ChannelList::kMark);
    }
    store.ChannelCount = tremvix::kMaxChannels;
    store.DataCount = samples;
    store.NothingTransferred = false;
    open.ChannelListChanged();
    DataList->Model().ShowTransfer(&store, store.DataCount, store.ChannelCount);
    open.DisplayTime = static_cast<float>(samples) / 100.0f;
}

void BM_CursorMove(benchmark::State& state) {
    CreateForms();
    LoadEightChannels(*Open, static_cast<int>(state.range(0)));
    Open->Button4Click();
    if (!Open->Button7->isEnabled()) state.SkipWithError("not drawn");
    int x = 61;
    for (auto _ : state) {
        Open->MyWave1MouseMove(x, 37 + (x % 380));
        x = x >= 559 ? 61 : x + 7;
        benchmark::DoNotOptimize(Open->MyWave1->image().constBits());
    }
    DestroyForms();
}
BENCHMARK(BM_CursorMove)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The baseline a move must stay far below: one drawing of the same graph.
void BM_FullRedraw(benchmark::State& state) {
    CreateForms();
    LoadEightChannels(*Open, static_cast<int>(state.range(0)));
    for (auto _ : state) Open->Button4Click();
    DestroyForms();
}
BENCHMARK(BM_FullRedraw)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
