// ReadChannels of 8 of 100 columns of a 30,000-line file against a plain parse of
// the same columns: getline, memchr to skip the other fields, std::from_chars.
#include "BenchDataFile.h"

#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/data/ChannelTransfer.h"
#include "core/data/DataFileReader.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::vector<int> kColumns = {3, 15, 27, 40, 52, 64, 77, 99};

void BM_ReadChannels(benchmark::State& state, const std::filesystem::path& file) {
    for (auto _ : state) {
        const tremvix::TransferRead read =
            tremvix::ReadChannels(file, tremvix::FileLayout::Standard, kColumns, tremvix::bench::kBenchLines);
        if (read.refusal || read.linesRead != tremvix::bench::kBenchLines) {
            state.SkipWithError("unexpected transfer result");
        }
        benchmark::DoNotOptimize(read.columns.data());
    }
}

// The whole transfer without the windows: the read and the append into the store.
void BM_TransferIntoStore(benchmark::State& state, const std::filesystem::path& file) {
    auto store = std::make_unique<tremvix::ChannelStore>();
    tremvix::ChannelList list;
    for (auto _ : state) {
        store->ChannelCount = 0;
        const tremvix::TransferRead read =
            tremvix::ReadChannels(file, tremvix::FileLayout::Standard, kColumns, tremvix::bench::kBenchLines);
        tremvix::AppendChannels(*store, list, read, {});
        if (store->ChannelCount != 8 || store->DataCount != tremvix::bench::kBenchLines)
            state.SkipWithError("unexpected transfer result");
        benchmark::DoNotOptimize(store->BaseBank[7].Samples);
    }
}

// One data line: the wanted columns, ascending, parsed in place.
void ParseLine(std::string_view line, std::vector<std::vector<float>>& out) {
    const char* p = line.data();
    const char* const end = p + line.size();
    int field = 0;
    std::size_t w = 0;
    while (w < kColumns.size() && p <= end) {
        const void* comma = std::memchr(p, ',', static_cast<std::size_t>(end - p));
        const char* const fieldEnd = comma ? static_cast<const char*>(comma) : end;
        if (field == kColumns[w]) {
            double value = 0.0;
            std::from_chars(p, fieldEnd, value);
            out[w++].push_back(static_cast<float>(value));
        }
        p = fieldEnd + 1;
        ++field;
    }
}

std::vector<std::vector<float>> EmptyColumns() {
    std::vector<std::vector<float>> columns(kColumns.size());
    for (auto& column : columns) {
        column.reserve(tremvix::bench::kBenchLines);
    }
    return columns;
}

void BM_FromCharsBaseline(benchmark::State& state, const std::filesystem::path& file) {
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        std::string line;
        for (int i = 0; i < 4; ++i) {
            std::getline(in, line);
        }
        auto columns = EmptyColumns();
        while (std::getline(in, line)) {
            ParseLine(line, columns);
        }
        benchmark::DoNotOptimize(columns.data());
    }
}

// The parse alone, the file already in memory: the floor for any reader.
void BM_FromCharsInMemory(benchmark::State& state, const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto _ : state) {
        auto columns = EmptyColumns();
        std::string_view rest(text);
        for (int i = 0; i < 4; ++i) {
            rest.remove_prefix(rest.find('\n') + 1);
        }
        while (!rest.empty()) {
            const std::size_t lf = rest.find('\n');
            const std::size_t length = lf == std::string_view::npos ? rest.size() : lf;
            ParseLine(rest.substr(0, length), columns);
            rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
        }
        benchmark::DoNotOptimize(columns.data());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const tremvix::bench::BenchDataFile file;
    benchmark::RegisterBenchmark("BM_ReadChannels", BM_ReadChannels, file.Path())
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_TransferIntoStore", BM_TransferIntoStore, file.Path())
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FromCharsBaseline", BM_FromCharsBaseline, file.Path())
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FromCharsInMemory", BM_FromCharsInMemory, file.Path())
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
