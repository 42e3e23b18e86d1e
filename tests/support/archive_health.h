#pragma once
// What a full disk must not do to the value archive, looked at from the
// outside after the fact: every table file passes its integrity check,
// holds as many rows as its text file has lines, every text file ends with
// a whole line, and no half-made table file or its journal is left. Header
// only: for test programs that link the archive layer.

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

// One complaint per fault found; empty for a sound archive.
inline QStringList ArchiveProblems(const QString &dbPath)
{
    QStringList problems;
    QDirIterator it(dbPath, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        const QString name = file.fileName();
        if (name.contains(QStringLiteral(".db.new")) || name.endsWith(QStringLiteral("-journal"))) {
            problems << name + QStringLiteral(": left behind");
            continue;
        }
        if (name.endsWith(QStringLiteral(".txt"))) {
            QFile text(file.filePath());
            if (text.open(QIODevice::ReadOnly) && text.size() > 0) {
                const QByteArray bytes = text.readAll();
                if (!bytes.endsWith("\r\n"))
                    problems << name + QStringLiteral(": ends in a half line");
            }
            continue;
        }
        if (!name.endsWith(QStringLiteral(".db")))
            continue;
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(QFile::encodeName(file.filePath()).constData(), &db, SQLITE_OPEN_READONLY, nullptr)
            != SQLITE_OK) {
            problems << name + QStringLiteral(": does not open");
            sqlite3_close(db);
            continue;
        }
        const auto first = [db](const QByteArray &sql) {
            sqlite3_stmt *statement = nullptr;
            QString answer = QStringLiteral("(failed)");
            if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK
                && sqlite3_step(statement) == SQLITE_ROW)
                answer = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
            sqlite3_finalize(statement);
            return answer;
        };
        const QString integrity = first("PRAGMA integrity_check");
        if (integrity != QStringLiteral("ok"))
            problems << name + QStringLiteral(": ") + integrity;
        const QString table = file.completeBaseName();
        const QString rows = first("SELECT COUNT(*) FROM \"" + table.toUtf8() + "\"");
        sqlite3_close(db);
        QFile text(file.absolutePath() + QLatin1Char('/') + table + QStringLiteral(".txt"));
        const qsizetype lines = text.open(QIODevice::ReadOnly) ? text.readAll().count("\r\n") : 0;
        if (rows != QString::number(lines))
            problems << name + QStringLiteral(": %1 rows, %2 lines").arg(rows).arg(lines);
    }
    return problems;
}
