#pragma once
// The main of a benchmark program of the core: a Qt core application for
// the event loops and queued deliveries the program's threads use, then the
// benchmarks the command line asks for.

#include <QCoreApplication>

#include <benchmark/benchmark.h>

inline int RunCoreBenchmarks(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
