#pragma once
// Reading one archive name of one day back, for the time graphs and the
// command-line tool: the rows of the day's table in time order, optionally
// limited to a period and to the operator's own condition.
//
// The condition is operator input put into the statement text, so the query
// runs on its own read-only connection and must be exactly one statement:
// whatever the text says, it cannot change or delete a row. Safe to call
// from any thread while the archive is being written.

#include "values/date_time.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

struct TArchiveRow
{
    double V = 0;
    qint64 DT = 0; // archive stamp (archive_stamp.h): local wall clock, ms since 1970
    TDateTime DateTime() const;
    QDateTime ToQDateTime() const;
};

struct TDayQuery
{
    QString name;      // archive name ("Freq", ...); trimmed here
    QDate day;         // the day folder to read
    QDateTime start;   // invalid: no lower limit
    QDateTime end;     // invalid: no upper limit
    QString filter;    // the operator's condition on V and DT; blank: none
    // A filter that runs away (a recursive sub-query) is stopped after this.
    int timeLimitMs = 10'000;
};

// The statement, one clause per line: "SELECT DT, V", "FROM" and the table,
// "WHERE" only when a condition follows, the conditions (limits inclusive,
// as stamps; the filter in parentheses) with "AND" lines between them,
// "ORDER BY DT".
QString DayQueryText(const TDayQuery &query);

// Whether the operator's condition is one expression on V and DT that a day
// query can run; false with the reason in `error`. A condition that fails
// here is the operator's mistake, not the archive's.
bool CheckDayFilter(const QString &filter, QString &error);

// The rows in "DT" order. A missing day or table, a damaged file, a filter
// that does not compile or is more than one statement: false, no rows, and
// a one-line text in `error`.
bool LoadDay(const QString &dbPath, const TDayQuery &query, QVector<TArchiveRow> &rows, QString &error);
