// A whole record loaded for the command line (every column of a 30,000-line x
// 100-column file) against its two parts done by hand in the same run: the scan
// alone, and the scan followed by the read of every column.
#include "BenchDataFile.h"

#include "core/data/DataFileReader.h"
#include "core/formats/RecordLoader.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

namespace {

void BM_LoadRecordFile(benchmark::State& state, const std::filesystem::path& file) {
    for (auto _ : state) {
        const tremvix::LoadedRecord record = tremvix::LoadRecordFile(file, tremvix::FileLayout::Standard, 100.0);
        if (record.refusal || record.samplesPerChannel != tremvix::bench::kBenchLines)
            state.SkipWithError("unexpected load result");
        benchmark::DoNotOptimize(record.channels.data());
    }
}

void BM_ScanOnly(benchmark::State& state, const std::filesystem::path& file) {
    for (auto _ : state) {
        const tremvix::ScanResult scan = tremvix::ScanDataFile(file, tremvix::FileLayout::Standard);
        benchmark::DoNotOptimize(scan.dataLines);
    }
}

void BM_ScanThenReadChannels(benchmark::State& state, const std::filesystem::path& file) {
    std::vector<int> columns(tremvix::bench::kBenchColumns);
    std::iota(columns.begin(), columns.end(), 0);
    for (auto _ : state) {
        const tremvix::ScanResult scan = tremvix::ScanDataFile(file, tremvix::FileLayout::Standard);
        const tremvix::TransferRead read =
            tremvix::ReadChannels(file, tremvix::FileLayout::Standard, columns, scan.dataLines);
        benchmark::DoNotOptimize(read.columns.data());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const tremvix::bench::BenchDataFile file;
    benchmark::RegisterBenchmark("BM_LoadRecordFile", BM_LoadRecordFile, file.Path())->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ScanOnly", BM_ScanOnly, file.Path())->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ScanThenReadChannels", BM_ScanThenReadChannels, file.Path())
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
