#pragma once
// Looks into archive table files from the outside, with a connection of its
// own, the way a later run of the program or another tool would.

#include <QString>
#include <QStringList>
#include <QVector>

#include <sqlite3.h>

struct StoredRow
{
    double v;
    qint64 dt;
    bool operator==(const StoredRow &) const = default;
};

class ArchiveDb
{
public:
    explicit ArchiveDb(const QString &path)
    {
        const QByteArray file = path.toUtf8();
        if (sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }
    ~ArchiveDb() { sqlite3_close(m_db); }
    ArchiveDb(const ArchiveDb &) = delete;
    ArchiveDb &operator=(const ArchiveDb &) = delete;

    bool opened() const { return m_db != nullptr; }

    // "ok" for a sound file, else the first complaint.
    QString integrity()
    {
        const QString answer = column0(QStringLiteral("PRAGMA integrity_check")).value(0);
        return answer.isEmpty() ? QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : "not opened") : answer;
    }
    // "name type" of each field, in order.
    QStringList fields(const QString &table)
    {
        QStringList out;
        forEach(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table), [&](sqlite3_stmt *s) {
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 1))) + QLatin1Char(' ')
                    + QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 2)));
        });
        return out;
    }
    QStringList tables() { return column0(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'")); }
    QString journalMode() { return column0(QStringLiteral("PRAGMA journal_mode")).value(0); }
    // Rows in the order they were written.
    QVector<StoredRow> rows(const QString &table)
    {
        QVector<StoredRow> out;
        forEach(QStringLiteral("SELECT V, DT, typeof(V), typeof(DT) FROM \"%1\" ORDER BY rowid").arg(table),
                [&](sqlite3_stmt *s) {
                    m_types = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 2))) + QLatin1Char(' ')
                        + QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 3)));
                    out.append({sqlite3_column_double(s, 0), sqlite3_column_int64(s, 1)});
                });
        return out;
    }
    // Storage classes of V and DT in the last row read by rows().
    const QString &lastRowTypes() const { return m_types; }

private:
    template <class F>
    void forEach(const QString &sql, F &&f)
    {
        if (!m_db)
            return;
        sqlite3_stmt *s = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, text.constData(), -1, &s, nullptr) == SQLITE_OK) {
            while (sqlite3_step(s) == SQLITE_ROW)
                f(s);
        }
        sqlite3_finalize(s);
    }
    QStringList column0(const QString &sql)
    {
        QStringList out;
        forEach(sql, [&](sqlite3_stmt *s) {
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
        });
        return out;
    }

    sqlite3 *m_db = nullptr;
    QString m_types;
};
