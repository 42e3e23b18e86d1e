#include "series/series.h"
#include "series/series_load.h"

#include "archive/archive_stamp.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace {

QVector<TArchiveRow> rowsOf(qint64 firstStamp, int count, int stepMs, QRandomGenerator &random)
{
    QVector<TArchiveRow> rows;
    for (int i = 0; i < count; ++i)
        rows.append({random.bounded(-1000, 1000) / 7.0, firstStamp + qint64(i) * stepMs});
    return rows;
}

} // namespace

TEST(Series, ReductionKeepsEveryColumnsLeastAndGreatestValueAndItsEnds)
{
    QRandomGenerator random(47);
    TSeries series;
    // Two archive days, then live points: blocks that do not end on a
    // summary boundary, and columns that cross blocks.
    series.AppendRows(rowsOf(1'000'000, 10'007, 1000, random));
    series.AppendRows(rowsOf(20'000'000, 5'003, 997, random));
    for (int i = 0; i < 777; ++i)
        ASSERT_TRUE(series.Append(30'000'000 + i * 1013, random.bounded(-5000, 5000) / 3.0));
    ASSERT_EQ(series.Count(), 10'007 + 5'003 + 777);

    for (const auto &[from, to, columns] : {std::tuple{1'000'000.0, 31'000'000.0, 317},
                                             std::tuple{5'000'123.5, 22'345'678.0, 1000},
                                             std::tuple{9'000'000.0, 21'000'000.0, 7}}) {
        const std::vector<TSeriesPoint> reduced = series.Reduce(from, to, columns);
        ASSERT_LT(reduced.size(), size_t(4 * columns + 3));
        ASSERT_TRUE(std::is_sorted(reduced.begin(), reduced.end(),
                                   [](const TSeriesPoint &a, const TSeriesPoint &b) { return a.Stamp < b.Stamp; }));
        const double width = (to - from) / columns;
        for (int c = 0; c < columns; ++c) {
            const double left = from + c * width;
            const double right = c + 1 == columns ? std::nextafter(to, 1e300) : from + (c + 1) * width;
            std::vector<TSeriesPoint> all, kept;
            for (qint64 i = 0; i < series.Count(); ++i)
                if (series.At(i).Stamp >= left && series.At(i).Stamp < right)
                    all.push_back(series.At(i));
            for (const TSeriesPoint &p : reduced)
                if (p.Stamp >= left && p.Stamp < right)
                    kept.push_back(p);
            if (all.empty()) {
                EXPECT_TRUE(kept.empty());
                continue;
            }
            const auto byValue = [](const TSeriesPoint &a, const TSeriesPoint &b) { return a.Value < b.Value; };
            ASSERT_FALSE(kept.empty()) << "column " << c;
            EXPECT_EQ(std::min_element(kept.begin(), kept.end(), byValue)->Value,
                      std::min_element(all.begin(), all.end(), byValue)->Value) << "column " << c;
            EXPECT_EQ(std::max_element(kept.begin(), kept.end(), byValue)->Value,
                      std::max_element(all.begin(), all.end(), byValue)->Value) << "column " << c;
            EXPECT_EQ(kept.front(), all.front()) << "column " << c;
            EXPECT_EQ(kept.back(), all.back()) << "column " << c;
        }
        // The line runs on past the edges that have points beyond them.
        if (from > series.FirstStamp()) {
            EXPECT_EQ(reduced.front(), series.At(series.LowerBound(from) - 1));
        }
        if (to < series.LastStamp()) {
            EXPECT_EQ(reduced.back(), series.At(series.LowerBound(std::nextafter(to, 1e300))));
        }
    }

    // Fewer points than columns: exactly those points and the two beyond.
    const std::vector<TSeriesPoint> raw = series.Reduce(series.At(100).Stamp, series.At(199).Stamp, 100);
    ASSERT_EQ(raw.size(), size_t(102));
    for (int i = 0; i < 102; ++i)
        EXPECT_EQ(raw[size_t(i)], series.At(99 + i));

    double min = 0, max = 0;
    ASSERT_TRUE(series.ValueRange(series.At(100).Stamp, series.At(199).Stamp, min, max));
    double low = 1e300, high = -1e300;
    for (int i = 100; i < 200; ++i) {
        low = std::min(low, series.At(i).Value);
        high = std::max(high, series.At(i).Value);
    }
    EXPECT_EQ(min, low);
    EXPECT_EQ(max, high);
}

TEST(Series, KeepsTimeOrderWhenTheArchiveAndTheFeedOverlap)
{
    TSeries series;
    QRandomGenerator random(1);
    series.AppendRows(rowsOf(5000, 3, 1000, random)); // 5000, 6000, 7000
    // The feed delivers a reading that the archive query already returned.
    EXPECT_FALSE(series.Append(7000, 1));
    EXPECT_FALSE(series.Append(6500, 1));
    EXPECT_TRUE(series.Append(7001, 1));
    // A day read after live points keeps only its newer rows.
    series.AppendRows({{2, 6000}, {3, 7001}, {4, 8000}, {5, 8000}});
    ASSERT_EQ(series.Count(), 7);
    EXPECT_EQ(series.At(4), (TSeriesPoint{7001, 3}));
    EXPECT_EQ(series.At(6), (TSeriesPoint{8000, 5}));
    // Blocks hold 32-bit offsets: a point 30 days later still reads back.
    const qint64 later = 8000 + 30LL * 86'400'000;
    EXPECT_TRUE(series.Append(later, 9));
    EXPECT_EQ(series.LastStamp(), later);
    EXPECT_EQ(series.At(7).Stamp, later);
    EXPECT_EQ(series.LowerBound(8001), 7);
}

TEST(SeriesLoad, ReadsEachDayOnceInDateOrderAndSkipsDaysThatFail)
{
    const QDateTime start(QDate(2026, 12, 1), QTime(23, 0));
    const QDateTime stop(QDate(2026, 12, 5), QTime(1, 0));
    std::mutex mutex;
    QList<QDate> read;
    const TDayReader reader = [&](const QString &, const TDayQuery &query, QVector<TArchiveRow> &rows, QString &error) {
        {
            std::lock_guard lock(mutex);
            read.append(query.day);
        }
        EXPECT_EQ(query.start, start);
        EXPECT_EQ(query.end, stop);
        // The first day takes longest, so a later day is ready first.
        std::this_thread::sleep_for(std::chrono::milliseconds(query.day == start.date() ? 50 : 1));
        if (query.day == QDate(2026, 12, 3)) {
            error = QStringLiteral("Нет архива");
            return false;
        }
        rows = {{double(query.day.day()), ArchiveStamp(query.day.startOfDay().addSecs(3600))}};
        return true;
    };
    QList<std::pair<int, int>> steps;
    TSeriesRequest request = TSeriesRequest::Period(QStringLiteral("/db"), QStringLiteral("Distance"), start, stop);
    request.Threads = 3;
    const TSeriesLoad load = LoadSeries(request, [&](int done, int total) {
        steps.append({done, total});
        return true;
    }, reader);
    EXPECT_EQ(read.size(), 5);
    EXPECT_EQ(steps, (QList<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));
    EXPECT_EQ(load.Errors, QStringList{QStringLiteral("Нет архива")});
    ASSERT_EQ(load.Series.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(load.Series.At(i).Value, QList<double>({1, 2, 4, 5})[i]);

    // Cancelled after the second day: no more days go in.
    const TSeriesLoad cancelled = LoadSeries(request, [](int done, int) { return done < 1; }, reader);
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_EQ(cancelled.Series.Count(), 2);
}
