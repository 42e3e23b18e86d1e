#include "archive/archive_table.h"

#include "archive/archive_name.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

const char *const kArchiveTableFields = "V REAL, DT INTEGER";

// Another program (a second copy, the command-line tool) may hold the file
// for a moment; wait rather than lose the row.
constexpr int kBusyTimeoutMs = 2000;

QString sqliteError(sqlite3 *db, const QString &path)
{
    return path + QStringLiteral(": ") + QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
}

} // namespace

TArchiveTable::~TArchiveTable()
{
    Close();
}

bool TArchiveTable::Open(const QString &path, const QString &name, QString &error)
{
    Close();
    if (!QFileInfo::exists(path) && !createFile(path, name, error))
        return false;
    if (!connect(path, name, error))
        return false;
    const QByteArray insert = QStringLiteral("INSERT INTO %1 (V, DT) VALUES (:V, :DT)").arg(QuotedTableName(name)).toUtf8();
    if (sqlite3_prepare_v3(m_db, insert.constData(), int(insert.size()), SQLITE_PREPARE_PERSISTENT, &m_insert, nullptr)
        != SQLITE_OK) {
        error = sqliteError(m_db, path);
        Close();
        return false;
    }
    return true;
}

bool TArchiveTable::createFile(const QString &path, const QString &name, QString &error)
{
    // A new file goes through the rollback journal until it is switched to
    // the log mode; killed in that moment it would leave a journal that only
    // a writer may roll back, and the graphs could not read the day. So the
    // file is made whole under another name and then renamed into place.
    // On a full disk the close cannot fold the log into the file; the log
    // is then left beside it, and a file renamed without its log has no
    // table (or half of one). Such a file is never renamed into place.
    const QString temporary = path + QStringLiteral(".new");
    const auto removeTemporary = [&temporary] {
        for (const char *leftover : {"", "-journal", "-wal", "-shm"})
            QFile::remove(temporary + QLatin1String(leftover));
    };
    removeTemporary();
    TArchiveTable maker;
    bool made = maker.connect(temporary, name, error);
    // A clean close folds the log into the file: one self-contained file.
    maker.Close();
    if (made && QFileInfo::exists(temporary + QStringLiteral("-wal"))) {
        error = QStringLiteral("%1: no room to make the table file").arg(path);
        made = false;
    }
    if (made && QFile::rename(temporary, path))
        return true;
    removeTemporary();
    // Another copy of the program may have been quicker: its file is as good.
    if (made && QFileInfo::exists(path))
        return true;
    if (made)
        error = QStringLiteral("%1: cannot rename %2").arg(path, temporary);
    return false;
}

bool TArchiveTable::connect(const QString &path, const QString &name, QString &error)
{
    const QByteArray file = path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        error = sqliteError(m_db, path);
        Close();
        return false;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // The log mode stays in the file; on a file that is no database these
    // statements fail before anything is written to it. The table is made
    // when missing also in an existing empty file, which is a database
    // without tables.
    const QByteArray create = QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                                  .arg(QuotedTableName(name), QLatin1String(kArchiveTableFields))
                                  .toUtf8();
    // A row is one commit of a page or two, and by default the log is
    // folded back only every thousand pages and then kept at its size: four
    // megabytes for each of the day's tables, which on a small disk fill it
    // by themselves. Every 128 pages keeps it near half a megabyte; folding
    // much more often costs a sync every few rows (per row 0.55 ms at 32
    // pages, 0.2 ms at 128, 0.12 ms at 1000, measured on the bench disk).
    if (!execute("PRAGMA journal_mode=WAL", error) || !execute("PRAGMA synchronous=NORMAL", error)
        || !execute("PRAGMA wal_autocheckpoint=128", error) || !execute("PRAGMA journal_size_limit=524288", error)
        || !execute(create.constData(), error)) {
        error = path + QStringLiteral(": ") + error;
        Close();
        return false;
    }
    return true;
}

bool TArchiveTable::Insert(double value, qint64 stamp, QString &error)
{
    if (!m_insert) {
        error = QStringLiteral("table not open");
        return false;
    }
    sqlite3_bind_double(m_insert, 1, value);
    sqlite3_bind_int64(m_insert, 2, stamp);
    const bool done = sqlite3_step(m_insert) == SQLITE_DONE;
    if (!done)
        error = sqliteError(m_db, QString::fromUtf8(sqlite3_db_filename(m_db, "main")));
    sqlite3_reset(m_insert);
    return done;
}

bool TArchiveTable::Begin(QString &error)
{
    return m_db && execute("BEGIN IMMEDIATE", error);
}

bool TArchiveTable::Commit(QString &error)
{
    if (execute("COMMIT", error))
        return true;
    error = QString::fromUtf8(sqlite3_db_filename(m_db, "main")) + QStringLiteral(": ") + error;
    Rollback();
    return false;
}

void TArchiveTable::Rollback()
{
    // A failed COMMIT may already have rolled back on its own.
    if (m_db && !sqlite3_get_autocommit(m_db)) {
        QString ignored;
        execute("ROLLBACK", ignored);
    }
}

void TArchiveTable::Close()
{
    sqlite3_finalize(m_insert);
    m_insert = nullptr;
    sqlite3_close(m_db);
    m_db = nullptr;
}

bool TArchiveTable::execute(const char *sql, QString &error)
{
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        error = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
        sqlite3_free(message);
        return false;
    }
    return true;
}
