#pragma once
// The writing side of one archive table file: one connection kept open for
// as long as the day's values go into it, with its INSERT prepared once.
// Opening and preparing per row costs about a hundred times the row itself.
//
// The file is in write-ahead-log mode with synchronous NORMAL: every row is
// committed on its own, and a commit has reached the log file before Insert
// returns, so a program killed at any moment leaves a table that opens,
// passes its integrity check and holds every row that was reported written.
// (A power cut may lose the last commits, never the table.)
//
// Every table has exactly two fields, in this order: "V", the value as an
// 8-byte float, and "DT", the time stamp (archive_stamp.h) as an integer.

#include <QString>
#include <QtGlobal>

struct sqlite3;
struct sqlite3_stmt;

class TArchiveTable
{
public:
    TArchiveTable() = default;
    ~TArchiveTable();
    TArchiveTable(const TArchiveTable &) = delete;
    TArchiveTable &operator=(const TArchiveTable &) = delete;

    // Opens the table file `path` holding the table `name` (trimmed, valid),
    // creating the file and the table when missing. A file that is not a
    // table file is left untouched. False with `error` set on failure.
    bool Open(const QString &path, const QString &name, QString &error);
    // One row, committed at once, or held until Commit() after Begin().
    // `stamp` as in archive_stamp.h.
    bool Insert(double value, qint64 stamp, QString &error);
    // A row that goes in only together with its text line: Begin(), Insert(),
    // the line, then Commit(), or Rollback() when the line did not go in.
    bool Begin(QString &error);
    bool Commit(QString &error);
    void Rollback();
    void Close();

private:
    static bool createFile(const QString &path, const QString &name, QString &error);
    // Opens the file in the log mode, with the table.
    bool connect(const QString &path, const QString &name, QString &error);
    bool execute(const char *sql, QString &error);

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_insert = nullptr;
};
