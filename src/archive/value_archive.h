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
// once, not once per value). When every file that failed has been written
// again, the archive is healthy again, silently, and the next failure is
// reported again.

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>

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
    // True from a reported failure until every failed file was written again.
    bool Failing() const { return m_failing.load(); }

    // One row into the table of `name` (trimmed) in the day folder of
    // `stamp` (local). The stamp is the caller's "now", so the day changes
    // with the caller's clock; the previous day's tables are closed then.
    bool ArchiveValue(const QString &name, const QDateTime &stamp, double value);
    // One line into the text file of `name`: see archive_text_line.h for
    // precision and digits.
    bool ArchiveText(const QString &name, int precision, int digits, const QDateTime &stamp, double value);
    // Closes every open table (also done by the destructor and at a change
    // of day).
    void CloseTables();

private:
    // Moves to the day of `stamp`, closing the tables of another day.
    void enterDay(const QDate &day);
    TArchiveTable *openTable(const QString &name, QString &error);
    // Records the outcome of a write to one file of the day (the key is the
    // file name, so a failure on one day is healed by the same file on the
    // next); returns the text to report, empty when nothing is to report.
    QString noteResult(const QString &fileName, bool ok, const QString &error);
    void report(const QString &text);

    const QString m_dbPath;
    std::mutex m_mutex;
    QDate m_day;
    QString m_dayFolder;
    std::map<QString, std::unique_ptr<TArchiveTable>> m_tables;
    QSet<QString> m_failedFiles;
    std::atomic<bool> m_failing{false};
    TErrorHandler m_onError;
};
