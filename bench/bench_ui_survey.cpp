// The event window: one redraw of the map of 1,000 stations against the same map
// with its coastline, graticule and labels alone (the baseline), and the time from
// the start of a survey to the first rows in the window's table for an event of
// K-NET records (3 × 12,000 samples each) in a temporary folder.
#include "ui/components/Mymap.h"
#include "ui/survey/Coastline.h"
#include "ui/survey/EventMap.h"
#include "ui/survey/SurveyTableModel.h"
#include "ui/survey/Usurvey.h"

#include "BenchKnetEvent.h"
#include "QtBenchMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace {

std::vector<StationMark> Stations(int count) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> lat(31.0, 44.0), lon(130.0, 145.0);
    std::uniform_int_distribution<int> cls(0, 9);
    std::vector<StationMark> marks;
    for (int k = 0; k < count; ++k) {
        const double a = lat(gen), b = lon(gen);
        marks.push_back({static_cast<int>(b) * 100 + static_cast<int>((b - static_cast<int>(b)) * 60),
                         static_cast<int>(a) * 100 + static_cast<int>((a - static_cast<int>(a)) * 60), cls(gen)});
    }
    return marks;
}

void DrawMap(benchmark::State& state, int stations) {
    TMyMap map;
    SetUpEventMap(map);
    const Coastline& coast = ProgramCoastline();
    if (!coast.error.isEmpty()) return state.SkipWithError(coast.error.toStdString().c_str());
    const std::vector<StationMark> marks = Stations(stations);
    for (auto _ : state) {
        const auto positions = DrawEventMap(map, coast, marks, tremvix::MarkScheme::Intensity, std::size_t{0});
        benchmark::DoNotOptimize(positions.data());
    }
    TMyMap::SetGraticule(0, 0, nullptr);
}

// The baseline: coastline, graticule, labels and legend, no station.
void BM_EventMapCoastlineOnly(benchmark::State& state) { DrawMap(state, 0); }
void BM_EventMap1000Stations(benchmark::State& state) { DrawMap(state, 1000); }
BENCHMARK(BM_EventMapCoastlineOnly)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_EventMap1000Stations)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);


// Time from Start() to the first row shown (the window's poll included), for an event
// of state.range(0) records; the whole survey goes on to the end outside the timing.
void BM_EventWindowFirstRows(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::path("/tmp") / ("tremvix-bench-survey-window-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    for (int station = 0; station < state.range(0); ++station)
        for (int k = 0; k < 3; ++k)
            std::ofstream(folder / tremvix::bench::KnetEventFileName(station, k), std::ios::binary)
                << tremvix::bench::KnetEventFile(station, k, 33.0 + station * 0.01, 132.0 + station * 0.012);
    TSurvey window([](const QString&) {}, nullptr);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        window.Start({folder});
        while (window.Table().Entries().empty() && window.Running()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        state.PauseTiming();
        while (window.Running()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        state.counters["rows"] = static_cast<double>(window.Table().Entries().size());
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
    TMyMap::SetGraticule(0, 0, nullptr);
}
BENCHMARK(BM_EventWindowFirstRows)->Arg(200)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
