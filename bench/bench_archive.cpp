// What archiving and reading back the archive cost, on this machine's disk
// (the temporary folder; the files are in the page cache when read, as they
// are when a graph reads the day that is being polled).
//
// - ArchiveValueAndText: one accepted reading archived as the polling does
//   it, a committed row in its day table plus a line in its text file, the
//   names rotating over the eight archive names, one second apart. Target
//   well under 1 ms per value, so archiving never delays a polling pass.
// - LoadOneDay: the day query for one table of 86,400 rows (a day of 1 s
//   polling), no limits, no filter. Target under 50 ms.
// - LoadThirtyDays: the same for 30 consecutive day tables, appended into
//   one vector as the time graph does for a month. Target under 1.5 s.
//
// The day tables for the loads are made by the archive itself (file, table
// and log mode), then filled in one transaction per day to save set-up time;
// the rows are the same as the polling would have written.

#include "archive_days.h"

#include "archive/day_query.h"
#include "archive/value_archive.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const QStringList kNames{QStringLiteral("Freq"),      QStringLiteral("Distance"), QStringLiteral("LevelBusy"),
                         QStringLiteral("LevelFree"), QStringLiteral("Reserve"),  QStringLiteral("Usil"),
                         QStringLiteral("TmpOfSensor"), QStringLiteral("CurrentOutput")};
const QDate kFirstDay(2026, 11, 1);
constexpr int kSecondsPerDay = 86'400;

// One day table of "Freq" with a row for every second of the day.
void fillDay(const QString &dbPath, const QDate &day)
{
    FillArchiveDay(dbPath, QStringLiteral("Freq"), day,
                   [](qint64 ms) { return 42000.0 + 300.0 * std::sin(double(ms / 1000) / 900.0); });
}

// The month of day tables, made once for both load benchmarks.
const QString &monthOfData()
{
    static QTemporaryDir dir;
    static const bool filled = [] {
        for (int d = 0; d < 30; ++d)
            fillDay(dir.path(), kFirstDay.addDays(d));
        return true;
    }();
    (void)filled;
    static const QString path = dir.path();
    return path;
}

void ArchiveValueAndText(benchmark::State &state)
{
    QTemporaryDir dir;
    TValueArchive archive(dir.path());
    QDateTime stamp(kFirstDay, QTime(10, 0));
    qint64 n = 0;
    for (auto _ : state) {
        const QString &name = kNames[int(n % kNames.size())];
        const double value = 1000.0 + double(n % 977) * 0.1;
        const bool ok = archive.ArchiveValue(name, stamp, value) && archive.ArchiveText(name, 9, 1, stamp, value);
        if (!ok)
            state.SkipWithError("archive write failed");
        stamp = stamp.addSecs(1);
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ArchiveValueAndText)->Unit(benchmark::kMicrosecond);

void LoadOneDay(benchmark::State &state)
{
    const QString &dbPath = monthOfData();
    QVector<TArchiveRow> rows;
    QString error;
    for (auto _ : state) {
        if (!LoadDay(dbPath, {QStringLiteral("Freq"), kFirstDay, {}, {}, {}}, rows, error))
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["rows"] = double(rows.size());
    state.SetItemsProcessed(state.iterations() * rows.size());
}
BENCHMARK(LoadOneDay)->Unit(benchmark::kMillisecond);

void LoadThirtyDays(benchmark::State &state)
{
    const QString &dbPath = monthOfData();
    QVector<TArchiveRow> month, day;
    QString error;
    for (auto _ : state) {
        month.clear();
        for (int d = 0; d < 30; ++d) {
            if (!LoadDay(dbPath, {QStringLiteral("Freq"), kFirstDay.addDays(d), {}, {}, {}}, day, error))
                state.SkipWithError(qPrintable(error));
            month += day;
        }
        benchmark::DoNotOptimize(month.data());
    }
    state.counters["rows"] = double(month.size());
    state.SetItemsProcessed(state.iterations() * month.size());
}
BENCHMARK(LoadThirtyDays)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
