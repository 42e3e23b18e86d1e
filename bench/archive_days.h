#pragma once
// Day tables for the benchmarks, made straight into the archive's files: the
// archive itself makes the file, the table and its log mode, then a day of
// rows, one a second, goes in in one transaction (the polling would commit
// each row; the rows are the same).

#include "archive/archive_stamp.h"
#include "archive/archive_table.h"
#include "archive/day_folder.h"

#include <QDir>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

// The table `name` of the day below dbPath, with the value valueAt(ms since
// midnight) for every second of the day (stamps a few ms past the second,
// as the polling's come).
inline void FillArchiveDay(const QString &dbPath, const QString &name, const QDate &day,
                           const std::function<double(qint64 msOfDay)> &valueAt)
{
    const QString folder = DayFolder(dbPath, day);
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".db");
    {
        TArchiveTable table;
        QString error;
        if (!table.Open(path, name, error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            std::abort();
        }
    }
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    const QByteArray sql = "INSERT INTO " + name.toLatin1() + " (V, DT) VALUES (?1, ?2)";
    sqlite3_prepare_v2(db, sql.constData(), -1, &insert, nullptr);
    const qint64 midnight = ArchiveStamp(QDateTime(day, QTime(0, 0)));
    for (int s = 0; s < 86'400; ++s) {
        const qint64 ms = qint64(s) * 1000 + (s * 7) % 1000;
        sqlite3_bind_double(insert, 1, valueAt(ms));
        sqlite3_bind_int64(insert, 2, midnight + ms);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
