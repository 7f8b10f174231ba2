// CSV export of a full store (8 channels x 30,000 samples) against a plain
// fprintf("%f") loop over the same values, the way the file was always written.
#include "core/data/ChannelStore.h"
#include "core/export/CsvWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include <unistd.h>

namespace {

using tremvix::ChannelRecord;
using tremvix::ChannelStore;
using tremvix::kMaxChannels;
constexpr int kBenchSamples = 30000;

std::unique_ptr<ChannelStore> FullStore() {
    auto store = std::make_unique<ChannelStore>();
    store->ChannelCount = kMaxChannels;
    store->DataCount = kBenchSamples;
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 50.0f);
    for (int i = 0; i < kMaxChannels; ++i) {
        std::snprintf(store->BaseBank[i].ChannelId, sizeof store->BaseBank[i].ChannelId, "CH%d", i + 1);
        std::snprintf(store->BaseBank[i].Unit, sizeof store->BaseBank[i].Unit, "gal");
        store->BaseBank[i].SampleCount = kBenchSamples;
        store->BaseBank[i].Samples.resize(kBenchSamples);
        for (int j = 0; j < kBenchSamples; ++j) store->BaseBank[i].Samples[j] = noise(random);
    }
    return store;
}

const ChannelStore& Store() {
    static const std::unique_ptr<ChannelStore> store = FullStore();
    return *store;
}

void BM_WriteCsvAtomicToTmp(benchmark::State& state) {
    const std::string file = "/tmp/tremvix-bench-" + std::to_string(::getpid()) + ".csv";
    for (auto _ : state) {
        const tremvix::SaveResult result = tremvix::WriteCsv(file, Store());
        if (!result.ok) state.SkipWithError(result.error.c_str());
    }
    std::remove(file.c_str());
}

void BM_WriteCsvStreamToDevNull(benchmark::State& state) {
    std::FILE* null = std::fopen("/dev/null", "wb");
    for (auto _ : state) benchmark::DoNotOptimize(tremvix::WriteCsvTo(null, Store()));
    std::fclose(null);
}

template <class Field>
void PrintHeaderLine(std::FILE* file, const ChannelStore& store, Field field) {
    for (int i = 0; i < store.ChannelCount; ++i) std::fprintf(file, i ? ",%s" : "%s", field(store.BaseBank[i]));
    std::fprintf(file, "\n");
}

void BM_BaselineFprintfToDevNull(benchmark::State& state) {
    const ChannelStore& store = Store();
    std::FILE* null = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        PrintHeaderLine(null, store, [](const ChannelRecord& r) { return r.ChannelId; });
        PrintHeaderLine(null, store, [](const ChannelRecord& r) { return r.PointName; });
        PrintHeaderLine(null, store, [](const ChannelRecord& r) { return r.Memo; });
        PrintHeaderLine(null, store, [](const ChannelRecord& r) { return r.Unit; });
        for (int j = 0; j < store.DataCount; ++j) {
            for (int i = 0; i < store.ChannelCount; ++i)
                std::fprintf(null, i ? ",%f" : "%f", static_cast<double>(store.BaseBank[i].Samples[j]));
            std::fprintf(null, "\n");
        }
        std::fflush(null);
    }
    std::fclose(null);
}

}  // namespace

BENCHMARK(BM_WriteCsvAtomicToTmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCsvStreamToDevNull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineFprintfToDevNull)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
