#pragma once
// The value archive: every accepted reading goes into its day's table (one
// row) and its day's text file (one line), in the day folder of its time
// stamp below dbPath.
//
// Writes come from the polling (the request thread) or from the command-line
// tool; one mutex serialises them, so any thread may write. Reading a day
// back (day_query.h) uses its own connections and never waits for a write.
//
// A failed write never stops the caller: the call returns false, and the
// failure is reported once through the error handler (a full disk or an
// unwritable archive folder fails every value; the operator must hear of it
// once, not once per value), with the free space it waits for when the disk
// is full. While failing on a full disk, values are not tried until that
// much space is free again. When every file that failed has been written
// again, the archive is healthy again, which is said once through the resume
// handler, and the next failure is reported again.

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

class TArchiveTable;

class TValueArchive
{
public:
    // Called in the writing thread, outside the archive's lock, with a
    // one-line Russian text naming the file and the reason.
    using TErrorHandler = std::function<void(const QString &text)>;

    explicit TValueArchive(const QString &dbPath);
    ~TValueArchive();
    TValueArchive(const TValueArchive &) = delete;
    TValueArchive &operator=(const TValueArchive &) = delete;

    const QString &DbPath() const { return m_dbPath; }
    void SetErrorHandler(TErrorHandler handler);
    // Called like the error handler when the archive writes again.
    void SetResumeHandler(TErrorHandler handler);
    // True from a reported failure until every failed file was written again.
    bool Failing() const { return m_failing.load(); }

    // One row into the table of `name` (trimmed) in the day folder of
    // `stamp` (local). The stamp is the caller's "now", so the day changes
    // with the caller's clock; the previous day's tables are closed then.
    bool ArchiveValue(const QString &name, const QDateTime &stamp, double value);
    // One line into the text file of `name`: see archive_text_line.h for
    // precision and digits.
    bool ArchiveText(const QString &name, int precision, int digits, const QDateTime &stamp, double value);
    // The row and the text line of one reading as one unit: both go in or
    // neither does (the row waits in its transaction for the line, and a
    // line whose row could not be committed is cut off again).
    bool Archive(const QString &name, int precision, int digits, const QDateTime &stamp, double value);
    // Every file that failed a write since the archive was made, sorted.
    QStringList FailedFiles() const;    // Closes every open table (also done by the destructor and at a change
    // of day).
    void CloseTables();

private:
    // Moves to the day of `stamp`, closing the tables of another day.
    void enterDay(const QDate &day);
    TArchiveTable *openTable(const QString &name, QString &error);
    // A text for the operator and who hears it.
    struct TNotice {
        QString text;
        TErrorHandler handler;
    };
    QString textPath(const QString &name) const;
    // Records the outcome of a write to files of the day (the key is the
    // file name, so a failure on one day is healed by the same file on the
    // next); returns what to report, empty when nothing is to report.
    TNotice noteResult(const QStringList &fileNames, bool ok, const QString &error);
    // False while the archive fails on a disk that has not got back the
    // room it waits for.
    bool roomToTry() const;
    static void report(const TNotice &notice);

    const QString m_dbPath;
    mutable std::mutex m_mutex;
    QDate m_day;
    QString m_dayFolder;
    std::map<QString, std::unique_ptr<TArchiveTable>> m_tables;
    QSet<QString> m_failedFiles;
    QSet<QString> m_everFailed; // with their day folders
    bool m_diskFull = false;
    qint64 m_roomNeeded = 0; // free bytes a full disk must have to try again
    std::atomic<bool> m_failing{false};
    TErrorHandler m_onError;
    TErrorHandler m_onResume;
};
