// A whole event surveyed from a folder and from a .tar.gz, with one worker and two:
// 1,000 K-NET records of 3 × 12,000 samples (120 s at 100 Hz), about 360 MB, written
// under /tmp before the first run and removed after the last. One run takes seconds,
// so each figure is one iteration per repetition.
#include "core/survey/SurveyRunner.h"

#include "BenchKnetEvent.h"

#include <archive.h>
#include <archive_entry.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int kRecords = 1000;

// The event as files in a folder and as a .tar.gz beside it, under /tmp, removed with the object.
class BenchEvent {
public:
    BenchEvent() : root_(std::filesystem::path("/tmp") / ("tremvix-bench-survey-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(Folder());
        const std::unique_ptr<archive, int (*)(archive*)> writer(archive_write_new(), archive_write_free);
        archive_write_set_format_pax_restricted(writer.get());
        archive_write_add_filter_gzip(writer.get());
        archive_write_open_filename(writer.get(), Archive().c_str());
        for (int station = 0; station < kRecords; ++station) {
            for (int k = 0; k < 3; ++k) {
                const std::string name = tremvix::bench::KnetEventFileName(station, k);
                const std::string bytes = tremvix::bench::KnetEventFile(station, k, 35.0 + station * 0.05, 139.0 + station * 0.03);
                std::ofstream(Folder() / name, std::ios::binary) << bytes;
                archive_entry* entry = archive_entry_new();
                archive_entry_set_pathname(entry, name.c_str());
                archive_entry_set_filetype(entry, AE_IFREG);
                archive_entry_set_perm(entry, 0644);
                archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
                archive_write_header(writer.get(), entry);
                archive_write_data(writer.get(), bytes.data(), bytes.size());
                archive_entry_free(entry);
            }
        }
        archive_write_close(writer.get());
    }
    ~BenchEvent() { std::filesystem::remove_all(root_); }
    BenchEvent(const BenchEvent&) = delete;
    BenchEvent& operator=(const BenchEvent&) = delete;

    std::filesystem::path Folder() const { return root_ / "event"; }
    std::filesystem::path Archive() const { return root_ / "event.tar.gz"; }

private:
    std::filesystem::path root_;
};

const BenchEvent& Event() {
    static const BenchEvent event;
    return event;
}

void Survey(benchmark::State& state, const std::filesystem::path& path) {
    tremvix::SurveyOptions options;
    options.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::size_t rows = 0;
        const tremvix::SurveyCounts counts =
            tremvix::RunSurvey({path}, options, [&](const tremvix::SurveyOutcome& outcome) { rows += outcome.row ? 1 : 0; });
        if (counts.failures != 0 || rows != kRecords) state.SkipWithError("records were refused");
        benchmark::DoNotOptimize(rows);
    }
    state.counters["records"] = kRecords;
}

void BM_SurveyFolder(benchmark::State& state) { Survey(state, Event().Folder()); }
void BM_SurveyTarGz(benchmark::State& state) { Survey(state, Event().Archive()); }

BENCHMARK(BM_SurveyFolder)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SurveyTarGz)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
