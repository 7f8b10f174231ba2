// Scan and read of a 300 s K-NET triplet at 100 Hz (30,000 counts a file) against a
// plain std::from_chars read of the same numbers from the same files.
#include "core/data/NumberReader.h"
#include "core/formats/NetworkRecord.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSamples = 30000;
constexpr double kNumerator = 7845;
constexpr double kDenominator = 8223790;
const char* const kComponents[] = {"NS", "EW", "UD"};

// The three files of one record in a folder of their own under /tmp, removed with the object.
class BenchTriplet {
public:
    BenchTriplet() : folder_(std::filesystem::path("/tmp") / ("tremvix-bench-knet-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
        for (int k = 0; k < 3; ++k) {
            Write(folder_ / (std::string("BNC0011103111446.") + kComponents[k]), k);
        }
    }
    ~BenchTriplet() { std::filesystem::remove_all(folder_); }
    BenchTriplet(const BenchTriplet&) = delete;
    BenchTriplet& operator=(const BenchTriplet&) = delete;

    std::filesystem::path File(int k) const { return folder_ / (std::string("BNC0011103111446.") + kComponents[k]); }

private:
    static void Write(const std::filesystem::path& file, int k) {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (out == nullptr) {
            std::perror("bench file");
            std::exit(1);
        }
        const char* const header[] = {
            "Origin Time       2011/03/11 14:46:00", "Lat.              38.103", "Long.             142.860",
            "Depth. (km)       24", "Mag.              9.0", "Station Code      BNC001", "Station Lat.      38.7312",
            "Station Long.     141.0211", "Station Height(m) 15", "Record Time       2011/03/11 14:46:34",
            "Sampling Freq(Hz) 100Hz", "Duration Time(s)  300", "Dir.              N-S",
            "Scale Factor      7845(gal)/8223790", "Max. Acc. (gal)   0.000", "Last Correction   2011/03/11 14:46:19",
            "Memo."};
        for (const char* line : header) {
            std::fprintf(out, "%s\n", line);
        }
        for (int i = 0; i < kSamples; ++i) {
            const double wave = std::exp(-i / 8000.0) * std::sin(0.05 * i * (k + 1)) * 900000.0;
            std::fprintf(out, "%9ld%s", std::lround(wave) + i % 13, i % 8 == 7 ? "\n" : "");
        }
        std::fprintf(out, "\n");
        std::fclose(out);
    }

    std::filesystem::path folder_;
};

void Check(benchmark::State& state, bool ok) {
    if (!ok) {
        state.SkipWithError("unexpected result");
    }
}

void BM_NetworkScan(benchmark::State& state, const BenchTriplet& triplet) {
    for (auto _ : state) {
        const tremvix::ScanResult scan = tremvix::ScanNetworkRecord(triplet.File(0), tremvix::NetworkLayout::Knet);
        Check(state, !scan.refusal && scan.dataLines == kSamples && scan.channelCount == 3);
        benchmark::DoNotOptimize(scan.dataLines);
    }
}

void BM_NetworkRead(benchmark::State& state, const BenchTriplet& triplet) {
    for (auto _ : state) {
        const tremvix::TransferRead read =
            tremvix::ReadNetworkChannels(triplet.File(0), tremvix::NetworkLayout::Knet, {0, 1, 2});
        Check(state, !read.refusal && read.linesRead == kSamples);
        benchmark::DoNotOptimize(read.columns.data());
    }
}

void BM_NetworkScanAndRead(benchmark::State& state, const BenchTriplet& triplet) {
    for (auto _ : state) {
        const tremvix::ScanResult scan = tremvix::ScanNetworkRecord(triplet.File(1), tremvix::NetworkLayout::Knet);
        const tremvix::TransferRead read =
            tremvix::ReadNetworkChannels(triplet.File(1), tremvix::NetworkLayout::Knet, {0, 1, 2});
        Check(state, !scan.refusal && !read.refusal && read.linesRead == kSamples);
        benchmark::DoNotOptimize(read.columns.data());
    }
}

// The baseline: read each whole file, skip the 17 header lines, convert every count
// with std::from_chars and scale it; no checks beyond what from_chars does.
std::vector<float> PlainRead(const std::filesystem::path& file, std::string& bytes) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    bytes.resize(static_cast<std::size_t>(std::filesystem::file_size(file)));
    const ssize_t got = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    std::vector<float> samples;
    samples.reserve(kSamples);
    const char* p = bytes.data();
    const char* const end = p + (got > 0 ? got : 0);
    for (int line = 0; line < 17 && p != end; ++p) {
        line += *p == '\n';
    }
    while (p != end) {
        while (p != end && (*p == ' ' || *p == '\n')) {
            ++p;
        }
        long count = 0;
        const auto [next, error] = std::from_chars(p, end, count);
        if (error != std::errc()) {
            break;
        }
        samples.push_back(tremvix::ToSample(static_cast<double>(count) * kNumerator / kDenominator));
        p = next;
    }
    return samples;
}

void BM_PlainFromChars(benchmark::State& state, const BenchTriplet& triplet) {
    std::string bytes;
    for (auto _ : state) {
        for (int k = 0; k < 3; ++k) {
            const std::vector<float> samples = PlainRead(triplet.File(k), bytes);
            Check(state, samples.size() == static_cast<std::size_t>(kSamples));
            benchmark::DoNotOptimize(samples.data());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const BenchTriplet triplet;
    benchmark::RegisterBenchmark("BM_PlainFromChars", BM_PlainFromChars, std::cref(triplet))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_NetworkScan", BM_NetworkScan, std::cref(triplet))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_NetworkRead", BM_NetworkRead, std::cref(triplet))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_NetworkScanAndRead", BM_NetworkScanAndRead, std::cref(triplet))
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
