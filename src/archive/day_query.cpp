#include "archive/day_query.h"

#include "archive/archive_name.h"
#include "archive/archive_stamp.h"
#include "archive/day_folder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

TDateTime TArchiveRow::DateTime() const
{
    return ArchiveStampToDateTime(DT);
}

QDateTime TArchiveRow::ToQDateTime() const
{
    return ArchiveStampToQDateTime(DT);
}

QString DayQueryText(const TDayQuery &query)
{
    QStringList conditions;
    if (query.start.isValid())
        conditions << QStringLiteral("(DT>=%1)").arg(ArchiveStamp(query.start));
    if (query.end.isValid())
        conditions << QStringLiteral("(DT<=%1)").arg(ArchiveStamp(query.end));
    if (!query.filter.trimmed().isEmpty())
        conditions << QLatin1Char('(') + query.filter + QLatin1Char(')');

    QStringList lines{QStringLiteral("SELECT DT, V"),
                      QStringLiteral("FROM ") + QuotedTableName(TrimArchiveName(query.name))};
    if (!conditions.isEmpty()) {
        lines << QStringLiteral("WHERE");
        lines << conditions.join(QStringLiteral("\nAND\n"));
    }
    lines << QStringLiteral("ORDER BY DT");
    return lines.join(QLatin1Char('\n'));
}

namespace {

// Closes the connection and its statement on every way out.
struct ReadConnection
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *statement = nullptr;
    ~ReadConnection()
    {
        sqlite3_finalize(statement);
        sqlite3_close(db);
    }
    QString message() const { return QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory"); }
};

const QString kOneExpression = QStringLiteral("условие отбора должно быть одним выражением");

struct Deadline
{
    QElapsedTimer timer;
    int limitMs;
};

int stopWhenLate(void *deadline)
{
    const auto *d = static_cast<Deadline *>(deadline);
    return d->timer.hasExpired(d->limitMs) ? 1 : 0;
}

bool isBlank(const char *text)
{
    for (; *text; ++text) {
        if (!QChar::isSpace(uchar(*text)))
            return false;
    }
    return true;
}

// Exactly one statement that reads, whatever the operator's text says.
bool prepareQuery(ReadConnection &c, const QByteArray &sql, QString &error)
{
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(c.db, sql.constData(), int(sql.size()), &c.statement, &tail) != SQLITE_OK) {
        error = c.message();
        return false;
    }
    if ((tail && !isBlank(tail)) || !sqlite3_stmt_readonly(c.statement)) {
        error = kOneExpression;
        return false;
    }
    return true;
}

bool readRows(const QString &path, const QByteArray &sql, int timeLimitMs, QVector<TArchiveRow> &rows, QString &error)
{
    ReadConnection c;
    const QByteArray file = path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &c.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        error = c.message();
        return false;
    }
    sqlite3_busy_timeout(c.db, 2000);
    if (sqlite3_exec(c.db, "PRAGMA query_only=1", nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = c.message();
        return false;
    }
    if (!prepareQuery(c, sql, error))
        return false;
    Deadline deadline{QElapsedTimer(), timeLimitMs};
    deadline.timer.start();
    sqlite3_progress_handler(c.db, 10'000, stopWhenLate, &deadline);
    int rc;
    while ((rc = sqlite3_step(c.statement)) == SQLITE_ROW)
        rows.append({sqlite3_column_double(c.statement, 1), sqlite3_column_int64(c.statement, 0)});
    if (rc != SQLITE_DONE) {
        error = rc == SQLITE_INTERRUPT
                    ? QStringLiteral("запрос прерван: слишком долго (дольше %1 с), упростите условие отбора")
                          .arg(timeLimitMs / 1000.0)
                    : c.message();
        return false;
    }
    return true;
}

} // namespace

bool CheckDayFilter(const QString &filter, QString &error)
{
    // The same statement on an empty table of the same fields in memory.
    ReadConnection c;
    if (sqlite3_open_v2(":memory:", &c.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        error = c.message();
        return false;
    }
    TDayQuery query;
    query.name = QStringLiteral("Freq");
    query.filter = filter;
    const QByteArray create =
        QStringLiteral("CREATE TABLE %1 (V REAL, DT INTEGER)").arg(QuotedTableName(query.name)).toUtf8();
    if (sqlite3_exec(c.db, create.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = c.message();
        return false;
    }
    return prepareQuery(c, DayQueryText(query).toUtf8(), error);
}

bool LoadDay(const QString &dbPath, const TDayQuery &query, QVector<TArchiveRow> &rows, QString &error)
{
    rows.clear();
    error.clear();
    const QString name = TrimArchiveName(query.name);
    if (!IsArchiveName(name)) {
        error = QStringLiteral("Неверное имя архива: \"%1\"").arg(query.name);
        return false;
    }
    const QString path = QDir(DayFolder(dbPath, query.day)).filePath(name + QStringLiteral(".db"));
    if (!QFileInfo::exists(path)) {
        error = QStringLiteral("Нет архива %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    QString reason;
    if (!readRows(path, DayQueryText(query).toUtf8(), query.timeLimitMs, rows, reason)) {
        rows.clear();
        error = QStringLiteral("Архив %1 не прочитан: %2").arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    return true;
}
