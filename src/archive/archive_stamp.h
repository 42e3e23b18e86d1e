#pragma once
// Time stamps of archived values, as the field "DT" holds them: the local
// wall-clock date and time in whole milliseconds counted from 1 January 1970
// 00:00 of the same wall clock. An integer sorts, keeps the milliseconds and
// reads back exactly; a date text would cost a parse per row, and days as a
// double would round the milliseconds. Wall-clock time (not UTC) because the
// day folders, the text files and the graphs all count local days: a row of
// 10:00 local stays 10:00 whatever the zone or daylight saving did since.

#include "values/date_time.h"

#include <QDateTime>
#include <QtGlobal>

// An invalid date-time gives 0.
qint64 ArchiveStamp(const QDateTime &dateTime);
QDateTime ArchiveStampToQDateTime(qint64 stamp);
// The model's date-time (days since 30 December 1899, local) of a stamp, and
// back (rounded to the millisecond; a value that is no date gives 0). Plain
// arithmetic, so a graph can convert millions of rows without QDateTime.
TDateTime ArchiveStampToDateTime(qint64 stamp);
qint64 DateTimeToArchiveStamp(TDateTime value);
