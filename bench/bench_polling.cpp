// What one polling pass costs: LevelAllRead + TempRead to the simulated
// gauge on the in-process line with its line timing at 9600 baud (11 bits a
// byte, 5 ms turnaround), run as the program runs it: the request thread
// woken for the pass, each answer parsed there and handed to this (the
// user-interface) thread queued, the exchange log written, and, in the
// "archive" variant, the seven values of the two readings written as rows
// and text lines into a temporary archive.
//
// Timed (manual time, steady clock) from waking the request thread to the
// moment the pass's TempRead reading, archived, reaches the reading feed's
// listener in this thread, which is the pass's last work; one untimed pass first creates the day's tables. The
// reference: the pass's 46 bytes on the line (5 + 29 for
// LevelAllRead, 6 + 6 for TempRead), two turnarounds and two 3 ms address
// pauses = 68.7 ms. Counters: line_ms that reference, ratio = measured /
// line_ms (target at most 1.10).

#include "archive/value_archive.h"
#include "device/tolm472.h"
#include "protocol/command_codes.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/gauge_session.h"
#include "sim/simulated_line.h"
#include "timed_line.h"
#include "core_bench_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>

namespace {

using TClock = std::chrono::steady_clock;

void BM_PollingPass(benchmark::State &state)
{
    const bool archiving = state.range(0) != 0;
    QTemporaryDir home;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path()); // the exchange log

    TSimulatedLine line(TimedLineConfig());
    TGaugeSession session(TGaugeSessionSetup{home.path()}, line);
    TRequestCycle &cycle = session.Cycle();
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);
    if (archiving)
        session.OpenArchive(home.filePath("DATA"), {});
    TClock::rep passEnd = 0;
    int readings = 0;
    session.Feed().Subscribe([&](const TReading &reading) {
        ++readings;
        if (reading.code == TempRead)
            passEnd = TClock::now().time_since_epoch().count();
    });
    TRequestThread &thread = session.RequestThread();
    TPassRunner passes(thread);
    const auto runPass = [&] { passes.Run(); };
    // The day's tables and text files are created once a day, not per pass:
    // one pass first, untimed.
    runPass();

    double totalMs = 0;
    for (auto _ : state) {
        passEnd = 0;
        const TClock::time_point start = TClock::now();
        runPass();
        const TClock::rep end = passEnd;
        // A pass whose TempRead was not accepted counts to its very end.
        const TClock::time_point stop = end ? TClock::time_point(TClock::duration(end)) : TClock::now();
        const double ms = std::chrono::duration<double, std::milli>(stop - start).count();
        totalMs += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    thread.Terminate();
    session.CloseArchive();
    state.counters["line_ms"] = PassReferenceMs();
    state.counters["ratio"] = totalMs / double(state.iterations()) / PassReferenceMs();
    state.counters["readings"] = readings;
    QDir::setCurrent(oldDir);
}

} // namespace

BENCHMARK(BM_PollingPass)->ArgName("archive")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()
    ->Iterations(40);

int main(int argc, char **argv)
{
    return RunCoreBenchmarks(argc, argv);
}
