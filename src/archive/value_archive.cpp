#include "archive/value_archive.h"

#include "app/text_file.h"
#include "archive/archive_name.h"
#include "archive/archive_stamp.h"
#include "archive/archive_table.h"
#include "archive/archive_text_line.h"
#include "archive/day_folder.h"

#include <QDir>

namespace {

const QString kNoStamp = QStringLiteral("значение без отметки времени");

QString badName(const QString &name)
{
    return QStringLiteral("неверное имя архива \"%1\"").arg(name);
}

} // namespace

TValueArchive::TValueArchive(const QString &dbPath) : m_dbPath(dbPath) {}

TValueArchive::~TValueArchive() = default;

void TValueArchive::SetErrorHandler(TErrorHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_onError = std::move(handler);
}

bool TValueArchive::ArchiveValue(const QString &name, const QDateTime &stamp, double value)
{
    const QString trimmed = TrimArchiveName(name);
    const qint64 dt = ArchiveStamp(stamp);
    QString toReport;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        QString error;
        if (stamp.isValid()) {
            enterDay(ArchiveStampToQDateTime(dt).date());
            if (TArchiveTable *table = openTable(trimmed, error)) {
                ok = table->Insert(value, dt, error);
                // A table that failed is opened afresh next time: after a
                // full disk, or a file that was replaced, the old connection
                // is of no use.
                if (!ok)
                    m_tables.erase(trimmed);
            }
        } else {
            error = kNoStamp;
        }
        toReport = noteResult(trimmed + QStringLiteral(".db"), ok, error);
    }
    report(toReport);
    return ok;
}

bool TValueArchive::ArchiveText(const QString &name, int precision, int digits, const QDateTime &stamp, double value)
{
    const QString trimmed = TrimArchiveName(name);
    const QDateTime local = ArchiveStampToQDateTime(ArchiveStamp(stamp));
    const QString line = ArchiveTextLine(local, precision, digits, value);
    QString toReport;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        QString error;
        if (!stamp.isValid()) {
            error = kNoStamp;
        } else if (!IsArchiveName(trimmed)) {
            error = badName(name);
        } else {
            enterDay(local.date());
            const QString path = m_dayFolder + QLatin1Char('/') + trimmed + QStringLiteral(".txt");
            // The day folder exists after the first write of the day; look
            // for it only when the line does not go in.
            ok = AppendTextLine(path, line) || (QDir().mkpath(m_dayFolder) && AppendTextLine(path, line));
            if (!ok)
                error = QDir::toNativeSeparators(path) + QStringLiteral(": запись не удалась");
        }
        toReport = noteResult(trimmed + QStringLiteral(".txt"), ok, error);
    }
    report(toReport);
    return ok;
}

void TValueArchive::CloseTables()
{
    std::lock_guard lock(m_mutex);
    m_tables.clear();
}

void TValueArchive::enterDay(const QDate &day)
{
    if (day == m_day)
        return;
    m_tables.clear();
    m_day = day;
    m_dayFolder = DayFolder(m_dbPath, day);
}

TArchiveTable *TValueArchive::openTable(const QString &name, QString &error)
{
    const auto found = m_tables.find(name);
    if (found != m_tables.end())
        return found->second.get();
    if (!IsArchiveName(name)) {
        error = badName(name);
        return nullptr;
    }
    if (!QDir().mkpath(m_dayFolder)) {
        error = QStringLiteral("нельзя создать папку %1").arg(QDir::toNativeSeparators(m_dayFolder));
        return nullptr;
    }
    auto table = std::make_unique<TArchiveTable>();
    if (!table->Open(m_dayFolder + QLatin1Char('/') + name + QStringLiteral(".db"), name, error))
        return nullptr;
    return m_tables.emplace(name, std::move(table)).first->second.get();
}

QString TValueArchive::noteResult(const QString &fileName, bool ok, const QString &error)
{
    if (ok) {
        if (m_failedFiles.remove(fileName) && m_failedFiles.isEmpty())
            m_failing = false;
        return {};
    }
    const bool firstFailure = m_failedFiles.isEmpty();
    m_failedFiles.insert(fileName);
    if (!firstFailure)
        return {};
    m_failing = true;
    return QStringLiteral("Архив не записывается: %1").arg(error);
}

void TValueArchive::report(const QString &text)
{
    if (text.isEmpty())
        return;
    TErrorHandler handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_onError;
    }
    if (handler)
        handler(text);
}
