#pragma once

// The entry of a benchmark that paints: text needs a font database, hence an
// application, and no window is ever shown.

#include <QGuiApplication>

#include <benchmark/benchmark.h>

inline int RunOffscreenBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
