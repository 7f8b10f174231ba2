// ReadChannels of 8 of 100 columns of a 30,000-line file, and of the 8 columns of a
// 1,000,000-line file, each against a plain parse of the same columns: getline,
// memchr to skip the other fields, std::from_chars.
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

struct Shape {
    const tremvix::bench::BenchDataFile& file;
    std::vector<int> columns;
};

void BM_ReadChannels(benchmark::State& state, const Shape& shape) {
    for (auto _ : state) {
        const tremvix::TransferRead read =
            tremvix::ReadChannels(shape.file.Path(), tremvix::FileLayout::Standard, shape.columns, shape.file.Lines());
        if (read.refusal || read.linesRead != shape.file.Lines()) state.SkipWithError("unexpected transfer result");
        benchmark::DoNotOptimize(read.columns.data());
    }
}

// The whole transfer without the windows: the read and the append into the store.
void BM_TransferIntoStore(benchmark::State& state, const Shape& shape) {
    auto store = std::make_unique<tremvix::ChannelStore>();
    tremvix::ChannelList list;
    for (auto _ : state) {
        store->ChannelCount = 0;
        tremvix::TransferRead read =
            tremvix::ReadChannels(shape.file.Path(), tremvix::FileLayout::Standard, shape.columns, shape.file.Lines());
        tremvix::AppendChannels(*store, list, std::move(read), {});
        if (store->ChannelCount != 8 || store->DataCount != shape.file.Lines())
            state.SkipWithError("unexpected transfer result");
        benchmark::DoNotOptimize(store->BaseBank[7].Samples.data());
    }
}

// One data line: the wanted columns, ascending, parsed in place.
void ParseLine(std::string_view line, const std::vector<int>& wanted, std::vector<std::vector<float>>& out) {
    const char* p = line.data();
    const char* const end = p + line.size();
    int field = 0;
    std::size_t w = 0;
    while (w < wanted.size() && p <= end) {
        const void* comma = std::memchr(p, ',', static_cast<std::size_t>(end - p));
        const char* const fieldEnd = comma ? static_cast<const char*>(comma) : end;
        if (field == wanted[w]) {
            double value = 0.0;
            std::from_chars(p, fieldEnd, value);
            out[w++].push_back(static_cast<float>(value));
        }
        p = fieldEnd + 1;
        ++field;
    }
}

std::vector<std::vector<float>> EmptyColumns(const Shape& shape) {
    std::vector<std::vector<float>> columns(shape.columns.size());
    for (auto& column : columns) column.reserve(static_cast<std::size_t>(shape.file.Lines()));
    return columns;
}

void BM_FromCharsBaseline(benchmark::State& state, const Shape& shape) {
    for (auto _ : state) {
        std::ifstream in(shape.file.Path(), std::ios::binary);
        std::string line;
        for (int i = 0; i < 4; ++i) std::getline(in, line);
        auto columns = EmptyColumns(shape);
        while (std::getline(in, line)) ParseLine(line, shape.columns, columns);
        benchmark::DoNotOptimize(columns.data());
    }
}

// The parse alone, the file already in memory: the floor for any reader.
void BM_FromCharsInMemory(benchmark::State& state, const Shape& shape) {
    std::ifstream in(shape.file.Path(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto _ : state) {
        auto columns = EmptyColumns(shape);
        std::string_view rest(text);
        for (int i = 0; i < 4; ++i) rest.remove_prefix(rest.find('\n') + 1);
        while (!rest.empty()) {
            const std::size_t lf = rest.find('\n');
            const std::size_t length = lf == std::string_view::npos ? rest.size() : lf;
            ParseLine(rest.substr(0, length), shape.columns, columns);
            rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
        }
        benchmark::DoNotOptimize(columns.data());
    }
}

void Register(const char* suffix, const Shape& shape) {
    const std::string name(suffix);
    benchmark::RegisterBenchmark(("BM_ReadChannels/" + name).c_str(), BM_ReadChannels, shape)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_TransferIntoStore/" + name).c_str(), BM_TransferIntoStore, shape)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_FromCharsBaseline/" + name).c_str(), BM_FromCharsBaseline, shape)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_FromCharsInMemory/" + name).c_str(), BM_FromCharsInMemory, shape)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    const tremvix::bench::BenchDataFile wide;
    const tremvix::bench::BenchDataFile longFile(1000000, 8);
    const Shape wideShape{wide, {3, 15, 27, 40, 52, 64, 77, 99}};
    const Shape longShape{longFile, {0, 1, 2, 3, 4, 5, 6, 7}};
    Register("30000x100", wideShape);
    Register("1000000x8", longShape);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
