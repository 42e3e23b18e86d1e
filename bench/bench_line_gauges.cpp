// Sixteen gauges on one simulated line with real byte timing (timed_line.h),
// gauge n at address n with plant number 1000 + n.
//
// BM_LineScan: the search of addresses 1..255 as "Поиск приборов на линии"
// runs it (the echo with its 60 ms wait to each address, then signature and
// program type of each gauge that answered), timed by the steady clock from
// its start to its end. Counters: found (must be 16), seconds (target under
// 30).
//
// BM_LinePass: one polling pass of LevelAllRead + TempRead over all sixteen
// as the program runs it (the request thread woken, every gauge in address
// order, each reading archived into the gauge's own folder and fed), timed
// from waking the request thread to the end of the pass. Reference: sixteen
// times one gauge's line time. Counters: line_ms, ratio (target at most
// 1.05), readings (16 × 2 per pass). With silent=1 the fifth gauge does not
// answer: silent_ms is what the pass took beyond the fifteen others' line
// time, to be compared with its two time-outs (timeout_ms, from the line
// parameters the program uses).

#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "protocol/command_codes.h"
#include "session/gauge_session.h"
#include "session/line_gauges.h"
#include "session/line_scan.h"
#include "sim/numbered_gauges.h"
#include "sim/simulated_line.h"
#include "timed_line.h"
#include "core_bench_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using TClock = std::chrono::steady_clock;
constexpr int kGauges = 16;

TSimLineConfig sixteenGauges()
{
    TSimLineConfig config = TimedLineConfig();
    NumberSimGauges(config, kGauges);
    return config;
}

void BM_LineScan(benchmark::State &state)
{
    QTemporaryDir home;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path()); // the exchange log
    TSimulatedLine line(sixteenGauges());
    TGaugeSession session(TGaugeSessionSetup{home.path()}, line);
    size_t found = 0;
    double seconds = 0;
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        found = ScanLine(session.Cycle(), 1, 255).size();
        seconds = std::chrono::duration<double>(TClock::now() - start).count();
        state.SetIterationTime(seconds);
    }
    state.counters["found"] = double(found);
    state.counters["seconds"] = seconds;
    QDir::setCurrent(oldDir);
}

void BM_LinePass(benchmark::State &state)
{
    const bool silent = state.range(0) != 0;
    QTemporaryDir home;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path());
    TSimulatedLine line(sixteenGauges());
    if (silent)
        line.WithSimulator([](TSimLine &sim) { sim.gauges().setLink(4, TSimGaugeLink::Silent); });
    TGaugeSession session(TGaugeSessionSetup{home.path()}, line);
    session.Model().SetSystemAddress(1);
    TRequestCycle &cycle = session.Cycle();
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);
    session.OpenArchive(home.filePath("DATA"), {});
    std::vector<TLineGauge> gauges;
    for (int address = 1; address <= kGauges; ++address) {
        TLineGauge gauge;
        gauge.Address = address;
        gauge.PlantNumber = uint16_t(1000 + address);
        gauge.Polled = true;
        gauges.push_back(gauge);
    }
    session.SetLineGauges(gauges);
    int readings = 0;
    session.LineFeed().Subscribe([&](const TLineAnswer &answer) { readings += answer.values.isEmpty() ? 0 : 1; });
    TRequestThread &thread = session.RequestThread();
    TPassRunner passes(thread);
    const auto runPass = [&] { passes.Run(); };
    runPass(); // the day's tables of every gauge are made once, untimed
    readings = 0;

    double totalMs = 0;
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        runPass();
        const double ms = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
        totalMs += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    thread.Terminate();
    session.CloseArchive();
    const double passMs = totalMs / double(state.iterations());
    const double answering = silent ? kGauges - 1 : kGauges;
    state.counters["line_ms"] = answering * PassReferenceMs();
    state.counters["ratio"] = passMs / (answering * PassReferenceMs());
    state.counters["readings"] = double(readings) / double(state.iterations());
    if (silent) {
        const TPortParameters &p = cycle.PortParametersTolm;
        state.counters["silent_ms"] = passMs - answering * PassReferenceMs();
        state.counters["timeout_ms"] = 2.0 * (p.ReadTotalConstant + p.ReadTotalMultiplier * TRequestCycle::kGaugeAnswerMax);
    }
    QDir::setCurrent(oldDir);
}

} // namespace

BENCHMARK(BM_LineScan)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);
BENCHMARK(BM_LinePass)->ArgName("silent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()
    ->Iterations(20);

int main(int argc, char **argv)
{
    return RunCoreBenchmarks(argc, argv);
}
