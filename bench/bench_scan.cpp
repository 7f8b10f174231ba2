// Scan of a 30,000-line x 100-column file against a plain memchr line count of the
// same file, read through the same size of reused block.
#include "BenchDataFile.h"

#include "core/data/DataFileReader.h"
#include "core/data/LineReader.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

void BM_ScanDataFile(benchmark::State& state, const std::filesystem::path& file) {
    for (auto _ : state) {
        const tremvix::ScanResult scan = tremvix::ScanDataFile(file, tremvix::FileLayout::Standard);
        if (scan.refusal || scan.dataLines != tremvix::bench::kBenchLines) {
            state.SkipWithError("unexpected scan result");
        }
        benchmark::DoNotOptimize(scan.dataLines);
    }
}

// The baseline: open, read() blocks into a buffer allocated once outside the loop,
// count LFs with memchr, close.
void BM_MemchrLineCount(benchmark::State& state, const std::filesystem::path& file) {
    const std::size_t blockSize = static_cast<std::size_t>(state.range(0));
    const auto buffer = std::make_unique<char[]>(blockSize);
    for (auto _ : state) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        long lines = 0;
        ssize_t n = 0;
        while ((n = ::read(fd, buffer.get(), blockSize)) > 0) {
            const char* p = buffer.get();
            const char* const end = p + n;
            while (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
                ++lines;
                p = static_cast<const char*>(lf) + 1;
            }
        }
        ::close(fd);
        benchmark::DoNotOptimize(lines);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const tremvix::bench::BenchDataFile file;
    benchmark::RegisterBenchmark("BM_ScanDataFile", BM_ScanDataFile, file.Path())
        ->Unit(benchmark::kMillisecond);
    for (const int64_t blockSize :
         {static_cast<int64_t>(tremvix::LineReader::kDefaultBlockSize), int64_t{1} << 20}) {
        benchmark::RegisterBenchmark("BM_MemchrLineCount", BM_MemchrLineCount, file.Path())
            ->Arg(blockSize)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
