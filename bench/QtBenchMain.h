#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// The main of a benchmark that draws with Qt: an application on the offscreen
// platform around the usual benchmark run.
inline int RunQtBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
