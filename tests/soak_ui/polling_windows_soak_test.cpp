// Soak: the program as it starts with "/sim /full" (the simulated gauge on
// its line with the byte timing of the gauge's speed), its main window with
// the readings and communication windows, five time graphs and the modal
// multi-graph "Графики уровней" (four series in full mode) open, polling
// every 200 ms for ten minutes (TOLM_SOAK_SECONDS overrides the length, e.g.
// 20 for a quick try), with the signal and the spectrum captured every 30 s.
// Every pass reads all readings at once: the level, the distance, the free
// space and the reserve go live into a time graph each and into the
// multi-graph, and with the beat frequency and the gain into the readings
// window, 5 points a second each.
//
// Measured while polling runs and no operator command is being carried out:
// - the event loop: the longest gap between the ticks of a 10 ms timer in
//   the user-interface thread, which must stay below 50 ms;
// - the archive: every reading the polling accepted is one row in its
//   day's table and one line in its text file, per archive name;
// - memory: the resident set size (and, under AddressSanitizer, the bytes
//   held by live allocations) once the first minute is over and at the end.

#include "app/custom_timer.h"
#include "archive/value_archive.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/gauge_session.h"
#include "session/procedure_runner.h"
#include "ui/windows/form_graph.h"
#include "ui/windows/form_multi_graph.h"
#include "ui/windows/form_req_ans.h"
#include "ui/windows/form_tolm472i.h"

#include "program_soak.h"
#include "soak_measures.h"
#include "support/archive_counts.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <qcustomplot.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>

namespace {

constexpr int PollPeriodMs = 200;
constexpr int CapturePeriodMs = 30000;
// Requests of one capture: the signal (stop, init, 32 blocks, stop) and
// the spectrum (stop, init, 16 blocks, stop).
constexpr int CaptureRequests = 35 + 19;
constexpr qint64 StallLimitMs = 50;
// Points a second of each live value: one reading of each per 200 ms pass.
constexpr double LiveRateMin = 4.5;
// Growth allowed from the first sample to the end. Polling keeps nothing
// per reading in memory but the graphs' points: the readings go to disk,
// the other windows show only the latest, and each live series keeps its
// points at about 12 bytes each (eight live series, some 0.2 MB over ten
// minutes), which the series stores count and the heap's bound leaves out.
// After the first minute the resident set moves only with those points and
// the allocator's reuse of freed blocks (a few hundred kilobytes over ten
// minutes). A leak of one kilobyte per polling pass (about 1,700 passes
// after the first minute) would pass 2 MB; the other live allocations,
// counted exactly, may grow by a quarter of a megabyte, about 150 bytes per
// pass.
constexpr double RssGrowthLimitMb = 2.0;
constexpr double HeapGrowthLimitMb = 0.25;
// No pass finishing for this long: the polling hangs.
constexpr qint64 NoPassLimitMs = 30000;

class PollingWindowsSoak : public ProgramSoak
{
protected:
    PollingWindowsSoak() : ProgramSoak({QStringLiteral("/full")}) {}
};

} // namespace

TEST_F(PollingWindowsSoak, PollingEvery200msKeepsTheWindowsResponsiveArchivesOnceAndHoldsItsMemory)
{
    const std::optional<TSoakLength> length = SoakLength();
    ASSERT_TRUE(length) << "TOLM_SOAK_SECONDS must be a whole number of seconds above 0";
    const qint64 durationMs = length->durationMs;
    const qint64 baselineAtMs = length->baselineAtMs;

    StartProgram();
    ASSERT_NE(TFormTolm472I::Instance(), nullptr);
    ASSERT_NE(TFormReqAns::Instance(), nullptr);
    ASSERT_TRUE(TFormTolm472I::Instance()->isVisible());
    ASSERT_TRUE(TFormReqAns::Instance()->isVisible());
    // The live time graphs of the readings the polling brings, each
    // redrawing at every reading, and the temperature's, which the polling
    // leaves alone.
    for (const char *graph : {"actGraphLevel", "actGraphDistance", "actGraphLevelSr", "actGraphLevelFree",
                              "actGraphTmp"})
        ASSERT_TRUE(form->ExecuteAction(QString::fromLatin1(graph))) << graph;
    for (int slot : {1, 2, 3, 4, 6})
        ASSERT_NE(TFormGraph::Instance(slot), nullptr) << slot;
    // "Графики" would wait for the window to close; the soak shows it with
    // its modality and goes on, as the operator's command does while the
    // window is open.
    TGraphSources sources;
    sources.DbPath = program->Archive().DbPath();
    sources.Feed = &program->Session().Feed();
    sources.Gauge = &program->Model();
    QPointer<TFormMultiGraph> multiGraph = TFormMultiGraph::OpenMultiGraph(program->Model(), true, sources);
    ASSERT_NE(multiGraph, nullptr);
    ASSERT_TRUE(multiGraph->isModal());
    ASSERT_EQ(multiGraph->Chart()->graphCount(), 4);
    // Their first layout and paint belong to the opening, an operator
    // command; the measurement below is of the program while it polls.
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();

    QMap<QString, int> accepted;
    int readings = 0;
    const int listener = program->Session().Feed().Subscribe([&](const TReading &reading) {
        ++readings;
        for (const TArchivedValue &v : reading.values)
            ++accepted[v.name];
    });

    op.Answer(PollPeriodMs);
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actTimerParametersChange")));
    ASSERT_EQ(program->PollingTimer().Interval(), PollPeriodMs);
    const int requestsBefore = ExchangeStatistics().Requests;
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actOprosStart"))); // "Начать опрос"
    ASSERT_TRUE(program->PollingTimer().IsEnabled());
    // The signal and the spectrum captured every 30 s ("Начать опрос
    // сигнала"), read on the procedure runner while the windows go on.
    op.Answer(CapturePeriodMs);
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actPeriodSignalReadChange")));
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actOprosSignalStart")));

    QElapsedTimer run;
    run.start();
    // Each gap between two ticks, whole and without the time the thread
    // stood ready for a processor; the longest of each with where it was.
    TEventLoopWatch watch;
    double rssFirst = -1, heapFirst = -1, rssLast = -1, heapLast = -1;
    // What the graphs hold by design: every live point stays drawn.
    const auto graphPointsMb = [&] {
        qint64 bytes = 0;
        for (int slot = 1; slot <= TFormGraph::SlotCount; ++slot)
            if (const TFormGraph *graph = TFormGraph::Instance(slot))
                bytes += graph->Series().MemoryBytes();
        if (multiGraph)
            for (int i = 0; i < multiGraph->Collection().Count(); ++i)
                bytes += multiGraph->Collection().Item(i)->Series.MemoryBytes();
        return double(bytes) / (1024.0 * 1024.0);
    };
    double pointsFirst = 0, pointsLast = 0;
    // The passes of the polling alone: between two looks at the runner that
    // both found no capture running (a capture shares the line with the
    // polling and slows it down for its few seconds).
    quint64 soloPasses = 0;
    qint64 soloMs = 0;
    quint64 lookPasses = 0;
    qint64 lookMs = 0;
    bool lookIdle = false;
    bool stopping = false;
    bool hung = false;
    quint64 lastPasses = 0;
    QElapsedTimer sincePass;
    sincePass.start();
    QEventLoop loop;
    QTimer control;
    QObject::connect(&control, &QTimer::timeout, [&] {
        TRequestThread &thread = program->RequestThread();
        const bool idle = !program->Session().Runner().Busy();
        if (!stopping && idle && lookIdle) {
            soloPasses += thread.Passes() - lookPasses;
            soloMs += run.elapsed() - lookMs;
        }
        lookIdle = idle;
        lookPasses = thread.Passes();
        lookMs = run.elapsed();
        if (thread.Passes() != lastPasses) {
            lastPasses = thread.Passes();
            sincePass.restart();
        } else if (sincePass.elapsed() > NoPassLimitMs) {
            hung = true;
            loop.quit();
            return;
        }
        if (rssFirst < 0 && run.elapsed() >= baselineAtMs) {
            rssFirst = ResidentMb();
            heapFirst = LiveHeapMb();
            pointsFirst = graphPointsMb();
        }
        if (!stopping && run.elapsed() >= durationMs) {
            // "Закончить опрос" is an operator command: the measurement ends
            // before it.
            stopping = true;
            watch.Stop();
            rssLast = ResidentMb();
            heapLast = LiveHeapMb();
            pointsLast = graphPointsMb();

            form->ExecuteAction(QStringLiteral("actOprosStop"));
            form->ExecuteAction(QStringLiteral("actOprosSignalStop"));
        }
        if (stopping && !thread.InPass() && !program->Session().Runner().Busy())
            loop.quit();
    });
    watch.Start(run);
    control.start(250);
    loop.exec();
    control.stop();
    ASSERT_FALSE(hung) << "no polling pass ended for " << NoPassLimitMs / 1000 << " s";
    QCoreApplication::processEvents(); // the last exchanges reach the communication window
    const double polledSeconds = double(run.elapsed()) / 1000;
    const quint64 passes = program->RequestThread().Passes();
    const int captures = form->CaptureCounters().SignalFileCounter;
    const int requestsShown = ExchangeStatistics().Requests - requestsBefore - captures * CaptureRequests;

    program->Session().Feed().Unsubscribe(listener);
    program->Archive().CloseTables();
    bool countsExact = !accepted.isEmpty();
    // Every pass reads each live value once.
    const double liveRate = soloMs > 0 ? double(soloPasses) * 1000 / double(soloMs) : 0;
    QStringList perName;
    for (auto it = accepted.cbegin(); it != accepted.cend(); ++it) {
        const TArchiveCounts stored = CountArchive(program->ArchiveSettings().dbPath, it.key());
        EXPECT_EQ(stored.rows, it.value()) << it.key().toStdString();
        EXPECT_EQ(stored.lines, it.value()) << it.key().toStdString();
        countsExact = countsExact && stored.rows == it.value() && stored.lines == it.value();
        perName.append(QStringLiteral("%1 %2/%3/%4").arg(it.key()).arg(it.value()).arg(stored.rows).arg(stored.lines));
    }

    std::printf("[ soak ] %.1f s polling every %d ms on the simulated gauge with line timing, readings, "
                "communication, five time-graph and the multi-graph windows open: %llu passes, %d readings accepted "
                "(live values %.2f points/s each outside the captures, bound %.1f), %d exchanges shown, %d captures; "
                "event loop (%d ms timer): longest stall %.1f ms (%.1f ms running, %.1f ms waiting for a processor, "
                "at %.1f s), longest gap %.1f ms (%.1f running, %.1f waiting, at %.1f s), %d gaps over 50 ms; "
                "archive accepted/rows/lines: %s (%s); RSS %.1f MB at %.0f s -> %.1f MB at the end of polling "
                "(growth %+.2f MB, bound %.2f MB); live heap %.2f -> %.2f MB (growth %+.2f MB, of it %+.2f MB the graphs' "
                "live points, the rest %+.2f MB, bound %.2f MB)\n",
                polledSeconds, PollPeriodMs, static_cast<unsigned long long>(passes), readings, liveRate, LiveRateMin,
                requestsShown, captures,
                TEventLoopWatch::TickMs, watch.LongestStall.StallMs(), watch.LongestStall.runMs,
                watch.LongestStall.waitMs, watch.LongestStall.atS, watch.LongestGap.ms, watch.LongestGap.runMs,
                watch.LongestGap.waitMs, watch.LongestGap.atS, watch.GapsOver50Ms,
                qPrintable(perName.join(QStringLiteral(", "))), countsExact ? "exact" : "MISMATCH", rssFirst,
                double(baselineAtMs) / 1000, rssLast, rssLast - rssFirst, RssGrowthLimitMb, heapFirst, heapLast,
                heapLast - heapFirst, pointsLast - pointsFirst, heapLast - heapFirst - (pointsLast - pointsFirst),
                HeapGrowthLimitMb);
    std::fflush(stdout);

    EXPECT_LT(watch.LongestStall.StallMs(), StallLimitMs);
    EXPECT_GT(readings, 0);
    EXPECT_GE(liveRate, LiveRateMin);
    // The graphs opened on a new archive say so once each, the multi-graph
    // once per series with its title; nothing else may.
    QStringList messages;
    for (const TOperatorCall &call : op.CallsOf(QStringLiteral("ShowMessage")))
        if (!call.Text.endsWith(QStringLiteral("Отсутствуют данные")))
            messages.append(call.Text);
    EXPECT_TRUE(messages.isEmpty()) << "an archive or gauge message came up: " << messages.join('|').toStdString();
    // Every exchange of the polling reached the communication window: the
    // start-up selection polls one command per pass.
    EXPECT_EQ(quint64(requestsShown), passes);
    EXPECT_GE(captures, 1);
    ASSERT_GE(rssFirst, 0);
    EXPECT_LT(rssLast - rssFirst, RssGrowthLimitMb);
    if (heapFirst >= 0) {
        EXPECT_LT(heapLast - heapFirst - (pointsLast - pointsFirst), HeapGrowthLimitMb);
    }
    RecordProperty("longest_stall_ms", int(watch.LongestStall.StallMs()));
    RecordProperty("passes", int(passes));
    RecordProperty("live_points_per_s_x100", int(liveRate * 100));
    RecordProperty("rss_growth_kb", int((rssLast - rssFirst) * 1024));
}
