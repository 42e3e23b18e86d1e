#pragma once
// A time graph over an archive that the test writes as rows per day (the
// same rows for every archive name but those left empty), with every day
// query counted, a reading feed the test publishes to, and the
// scripted operator.

#include "ui/windows/form_graph.h"

#include "app/app_context.h"
#include "archive/archive_stamp.h"
#include "session/feed.h"
#include "support/gui_application.h"
#include "support/installed_operator.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>

#include <mutex>

// The day the graph tests archive their rows on and chart.
inline const QDate kGraphDay(2026, 12, 1);

class GraphFixture : public GuiTest
{
protected:
    GraphFixture() { SetAppContext(TAppContext(home.path(), home.path())); }
    ~GraphFixture() override
    {
        for (int slot = 1; slot <= TFormGraph::SlotCount; ++slot)
            delete TFormGraph::Instance(slot);
        SetAppContext(TAppContext());
    }

    TFormGraph::TSources Sources()
    {
        TFormGraph::TSources sources;
        sources.DbPath = home.file(QStringLiteral("DATA"));
        sources.Feed = &feed;
        sources.Reader = [this](const QString &, const TDayQuery &query, QVector<TArchiveRow> &rows, QString &error) {
            std::lock_guard lock(mutex);
            queried.append(query.day);
            queriedNames.append(query.name);
            if (!days.contains(query.day) || emptyTables.contains(query.name)) {
                error = QStringLiteral("Нет архива");
                return false;
            }
            for (const TArchiveRow &row : days.value(query.day))
                if ((!query.start.isValid() || row.DT >= ArchiveStamp(query.start)) &&
                    (!query.end.isValid() || row.DT <= ArchiveStamp(query.end)))
                    rows.append(row);
            return true;
        };
        return sources;
    }

    // A day with a reading every `stepSeconds`, the value rising by one.
    void AddDay(const QDate &day, int stepSeconds = 3600, double first = 10)
    {
        QVector<TArchiveRow> rows;
        const qint64 midnight = ArchiveStamp(day.startOfDay());
        for (int s = 0, i = 0; s < 86400; s += stepSeconds, ++i)
            rows.append({first + i, midnight + qint64(s) * 1000});
        days.insert(day, rows);
    }

    TFormGraph *Open(int slot, const TIODouble *value, const QDateTime &start, const QDateTime &stop,
                     const QString &table = QStringLiteral("Distance"))
    {
        EXPECT_EQ(TFormGraph::OpenGraph(slot, table, value, QStringLiteral("График"), QDateTimeToDateTime(stop),
                                        QDateTimeToDateTime(start), Sources()),
                  0);
        TFormGraph *graph = TFormGraph::Instance(slot);
        WaitLoaded(graph);
        return graph;
    }

    static void WaitLoaded(TTimeChartWindow *graph)
    {
        QElapsedTimer timer;
        timer.start();
        while (graph && graph->Loading() && !timer.hasExpired(5000))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_FALSE(graph && graph->Loading());
        QCoreApplication::processEvents();
    }

    void Publish(const QString &name, double value, const QDateTime &stamp)
    {
        feed.Publish({255, 1, {{name, value, 2}}, stamp});
        QCoreApplication::processEvents();
    }

    QList<QDate> Queried()
    {
        std::lock_guard lock(mutex);
        return queried;
    }

    TempHome home;
    TInstalledOperator op;
    QObject context;
    TReadingFeed feed{&context};
    QMap<QDate, QVector<TArchiveRow>> days;
    std::mutex mutex;
    QList<QDate> queried;
    QStringList queriedNames;
    // Archive names without any day (the days above are every other name's).
    QStringList emptyTables;
};
