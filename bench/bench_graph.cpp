// The time graph over a long archive, on the offscreen platform:
//
// - GraphOpen30Days: "Расстояние" over 30 days of one reading a second
//   (2.59 M points), from OpenGraph to the first frame drawn with the points
//   in. Target under 1.0 s.
// - GraphReplot30DaysFull / GraphReplot30DaysOneHour: the chart refilled
//   from the series store and redrawn after a change of the time axis (a
//   mouse zoom, a scroll), at the whole extent and zoomed to one hour.
//   Targets under 30 ms and under 5 ms.
// - GraphLoad365Days: the same window over 365 days (31.5 M points), and
//   its replots; the counter peak_rss_mb is the process's peak resident
//   memory. Targets under 10 s and 600 MB. Its archive takes 711 MB of
//   /tmp and about half a minute to make the first time; TOLM_BENCH_YEAR=0
//   leaves it out.
//
// The archives are made by this program with the simulated gauge's
// distance, one row a second, and kept in /tmp/tolm-bench-graph between
// runs (a folder is complete once its marker file exists).

#include "archive_days.h"

#include "app/app_context.h"
#include "sim/gauge_parameters.h"
#include "sim/tank_model.h"
#include "ui/windows/form_graph.h"
#include "ui/windows/graph_axis.h"
#include "values/date_time.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <qcustomplot.h>

#include <sys/resource.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const QDate kFirstDay(2025, 12, 1);

// The folder with `days` days of "Distance" from kFirstDay, made when missing.
QString archiveOf(int days)
{
    const QString root = QStringLiteral("/tmp/tolm-bench-graph/%1days").arg(days);
    const QString marker = root + QStringLiteral("/complete");
    if (QFile::exists(marker))
        return root;
    QDir(root).removeRecursively();
    std::fprintf(stderr, "making %d days of archive in %s ...\n", days, qPrintable(root));
    const TSimGaugeParameters parameters;
    const TSimTank tank(47, 0.5);
    std::atomic<int> next{0};
    std::vector<std::thread> makers;
    for (int t = 0; t < 2; ++t)
        makers.emplace_back([&] {
            for (int d; (d = next.fetch_add(1)) < days;) {
                const QDate day = kFirstDay.addDays(d);
                const qint64 dayMs = qint64(kFirstDay.daysTo(day)) * 86'400'000;
                FillArchiveDay(root, QStringLiteral("Distance"), day,
                               [&](qint64 ms) { return tank.readingsAt(dayMs + ms, parameters).distance; });
            }
        });
    for (std::thread &t : makers)
        t.join();
    QFile(marker).open(QIODevice::WriteOnly);
    return root;
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

struct TGraphBench {
    explicit TGraphBench(int days) : dbPath(archiveOf(days)), days(days)
    {
        SetAppContext(TAppContext(folder.path(), folder.path()));
    }
    ~TGraphBench()
    {
        delete TFormGraph::Instance(2);
        SetAppContext(TAppContext());
    }

    // Opens the graph over every day and returns once the first frame with
    // the points is drawn.
    TFormGraph *Open()
    {
        TFormGraph::TSources sources;
        sources.DbPath = dbPath;
        const TDateTime start = QDateTimeToDateTime(QDateTime(kFirstDay, QTime(0, 0, 1)));
        const TDateTime stop = QDateTimeToDateTime(QDateTime(kFirstDay.addDays(days - 1), QTime(23, 59, 59)));
        TFormGraph::OpenGraph(2, QStringLiteral("Distance"), nullptr, QStringLiteral("График"), stop, start, sources);
        TFormGraph *graph = TFormGraph::Instance(2);
        while (graph->Loading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        graph->ReplotNow();
        QCoreApplication::processEvents(); // painted
        return graph;
    }

    void Close()
    {
        delete TFormGraph::Instance(2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir folder;
    QString dbPath;
    int days;
};

// Alternates between two time ranges a millisecond apart, so every pass
// refills the chart from the store, and redraws it.
void replot(benchmark::State &state, TFormGraph &graph, double width)
{
    const double max = KeyOfStamp(graph.Series().LastStamp());
    bool odd = false;
    for (auto _ : state) {
        const double shift = (odd = !odd) ? 0.001 : 0;
        graph.Chart()->xAxis->setRange(max - width - shift, max - shift);
        graph.ReplotNow();
    }
    state.counters["points_drawn"] = graph.DrawnPoints();
}

void GraphOpen30Days(benchmark::State &state)
{
    TGraphBench bench(30);
    for (auto _ : state) {
        TFormGraph *graph = bench.Open();
        state.PauseTiming();
        state.counters["points"] = double(graph->Series().Count());
        bench.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(GraphOpen30Days)->Unit(benchmark::kMillisecond)->Iterations(3);

// The store alone: the 30 days into a series, on as many connections at
// once as the machine has cores.
void SeriesLoad30Days(benchmark::State &state)
{
    const QString dbPath = archiveOf(30);
    TSeriesRequest request = TSeriesRequest::Period(dbPath, QStringLiteral("Distance"),
                                                    QDateTime(kFirstDay, QTime(0, 0, 1)),
                                                    QDateTime(kFirstDay.addDays(29), QTime(23, 59, 59)));
    request.Threads = int(state.range(0));
    for (auto _ : state) {
        const TSeriesLoad load = LoadSeries(request);
        state.counters["points"] = double(load.Series.Count());
    }
}
BENCHMARK(SeriesLoad30Days)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(2)->Iterations(3);

void GraphReplot30DaysFull(benchmark::State &state)
{
    TGraphBench bench(30);
    TFormGraph *graph = bench.Open();
    const double width = KeyOfStamp(graph->Series().LastStamp()) - KeyOfStamp(graph->Series().FirstStamp());
    replot(state, *graph, width);
}
BENCHMARK(GraphReplot30DaysFull)->Unit(benchmark::kMillisecond);

void GraphReplot30DaysOneHour(benchmark::State &state)
{
    TGraphBench bench(30);
    replot(state, *bench.Open(), 3600);
}
BENCHMARK(GraphReplot30DaysOneHour)->Unit(benchmark::kMillisecond);

void GraphLoad365Days(benchmark::State &state)
{
    TGraphBench bench(365);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        TFormGraph *graph = bench.Open();
        state.counters["points"] = double(graph->Series().Count());
        state.counters["store_mb"] = double(graph->Series().MemoryBytes()) / (1024.0 * 1024.0);
        state.counters["open_s"] = double(timer.elapsed()) / 1000.0;
        state.PauseTiming();
        // The replots at the year's extent and one hour, timed by hand.
        const double last = KeyOfStamp(graph->Series().LastStamp());
        for (const auto &[name, width] : {std::pair{"replot_full_ms", last - KeyOfStamp(graph->Series().FirstStamp())},
                                          std::pair{"replot_hour_ms", 3600.0}}) {
            timer.restart();
            constexpr int Passes = 20;
            for (int i = 0; i < Passes; ++i) {
                graph->Chart()->xAxis->setRange(last - width - (i % 2) * 0.001, last - (i % 2) * 0.001);
                graph->ReplotNow();
            }
            state.counters[name] = double(timer.nsecsElapsed()) / 1e6 / Passes;
        }
        state.counters["peak_rss_mb"] = peakRssMb();
        bench.Close();
        state.ResumeTiming();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (qEnvironmentVariable("TOLM_BENCH_YEAR") != QStringLiteral("0"))
        benchmark::RegisterBenchmark("GraphLoad365Days", GraphLoad365Days)
            ->Unit(benchmark::kSecond)
            ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak resident memory: %.0f MB\n", peakRssMb());
    return 0;
}
