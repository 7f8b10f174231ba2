// A day of 100 Hz three-component MiniSEED (Steim-2, 4096-byte records) read as a
// record (scan and read, samples as floats) against libmseed's own unpacking of the
// same file into traces.
#include "core/formats/NetworkRecord.h"

#include <benchmark/benchmark.h>
#include <libmseed.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSamples = 100 * 86400;
const char* const kChannels[] = {"HNE", "HNN", "HNZ"};

void Append(char* record, int length, void* out) {
    std::fwrite(record, 1, static_cast<std::size_t>(length), static_cast<std::FILE*>(out));
}

// The file, written by libmseed in /tmp and removed with the object.
class BenchDay {
public:
    BenchDay() : file_(std::filesystem::path("/tmp") / ("tremvix-bench-day-" + std::to_string(::getpid()) + ".mseed")) {
        std::FILE* out = std::fopen(file_.c_str(), "wb");
        if (out == nullptr) {
            std::perror("bench file");
            std::exit(1);
        }
        std::vector<std::int32_t> samples(kSamples);
        for (int c = 0; c < 3; ++c) {
            for (int i = 0; i < kSamples; ++i)
                samples[static_cast<std::size_t>(i)] =
                    static_cast<std::int32_t>(std::lround(20000.0 * std::sin(0.013 * i * (c + 1)) + 300.0 * std::sin(1.7 * i)));
            MSRecord* record = msr_init(nullptr);
            std::strcpy(record->network, "BN");
            std::strcpy(record->station, "DAY");
            std::strcpy(record->location, "00");
            std::strcpy(record->channel, kChannels[c]);
            record->dataquality = 'D';
            record->starttime = ms_time2hptime(2024, 1, 0, 0, 0, 0);
            record->samprate = 100.0;
            record->reclen = 4096;
            record->encoding = DE_STEIM2;
            record->byteorder = 1;
            record->datasamples = samples.data();
            record->numsamples = kSamples;
            record->sampletype = 'i';
            std::int64_t packed = 0;
            msr_pack(record, Append, out, &packed, 1, 0);
            record->datasamples = nullptr;
            msr_free(&record);
        }
        std::fclose(out);
    }
    ~BenchDay() { std::filesystem::remove(file_); }
    BenchDay(const BenchDay&) = delete;
    BenchDay& operator=(const BenchDay&) = delete;

    const std::filesystem::path& File() const { return file_; }

private:
    std::filesystem::path file_;
};

void BM_LibmseedUnpack(benchmark::State& state, const BenchDay& day) {
    for (auto _ : state) {
        MSTraceGroup* group = nullptr;
        const int status = ms_readtraces(&group, day.File().c_str(), 0, -1.0, -1.0, 0, 1, 1, 0);
        if (status != MS_NOERROR || group->numtraces != 3) state.SkipWithError("libmseed did not read the file");
        benchmark::DoNotOptimize(group->traces->datasamples);
        mst_freegroup(&group);
    }
}

void BM_MiniSeedScanAndRead(benchmark::State& state, const BenchDay& day) {
    for (auto _ : state) {
        const tremvix::ScanResult scan = tremvix::ScanNetworkRecord(day.File(), tremvix::NetworkLayout::MiniSeed);
        const tremvix::TransferRead read = tremvix::ReadNetworkChannels(day.File(), tremvix::NetworkLayout::MiniSeed, {0, 1, 2});
        if (scan.refusal || read.refusal || read.linesRead != kSamples) state.SkipWithError("the record did not read");
        benchmark::DoNotOptimize(read.columns.data());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const BenchDay day;
    benchmark::RegisterBenchmark("BM_LibmseedUnpack", BM_LibmseedUnpack, std::cref(day))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_MiniSeedScanAndRead", BM_MiniSeedScanAndRead, std::cref(day))
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
