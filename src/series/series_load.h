#pragma once
// Loading a period of one archive name into a series: one day query per
// day folder, in date order, the same limits on every day (the period's
// start and stop as given), so a period inside one day reads one table and
// 23:00 to 01:00 reads two.
//
// A day is mostly the database engine stepping through 86,400 rows, so
// several days are read at once, each on its own read-only connection, and
// put into the series in date order as they come in.

#include "archive/day_query.h"
#include "series/series.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

struct TSeriesRequest {
    QString DbPath;
    QString Name;
    QDate FirstDay;
    QDate LastDay;
    QDateTime Start;  // invalid: no lower limit
    QDateTime Stop;   // invalid: no upper limit
    QString Filter;   // the operator's condition; blank: none
    int Threads = 0;  // days read at once; 0: as many as the machine has cores, at most 4

    // The days from the start's to the stop's, each limited to the period.
    static TSeriesRequest Period(const QString &dbPath, const QString &name, const QDateTime &start,
                                 const QDateTime &stop);
};

// Reads one day as LoadDay does; tests count and fake the reads through it.
using TDayReader =
    std::function<bool(const QString &dbPath, const TDayQuery &query, QVector<TArchiveRow> &rows, QString &error)>;

// Called in the loading thread once per day, in date order, after the day
// went into the series: `done` of `total` days (the first day is 0, the last
// is total, as the progress window counts). False stops the load.
using TLoadProgress = std::function<bool(int done, int total)>;

struct TSeriesLoad {
    TSeries Series;
    QStringList Errors; // one line per day that could not be read (a missing day included)
    bool Cancelled = false;
};

// The days of the request; the days that fail add nothing and a line to
// Errors. A last day before the first reads nothing.
TSeriesLoad LoadSeries(const TSeriesRequest &request, const TLoadProgress &progress = {},
                       const TDayReader &reader = LoadDay);
