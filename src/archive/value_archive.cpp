#include "archive/value_archive.h"

#include "app/text_file.h"
#include "archive/archive_name.h"
#include "archive/archive_stamp.h"
#include "archive/archive_table.h"
#include "archive/archive_text_line.h"
#include "archive/day_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

const QString kNoStamp = QStringLiteral("значение без отметки времени");
// Not tried: the disk has not got back the room the archive waits for.
const QString kNoRoom = QStringLiteral("нет места на диске");
// What a full disk must give back before the archive writes again: the log
// of a table grows by whole pages, and a day of polling adds a few of them.
constexpr qint64 kRoomBytes = 256 * 1024;

qint64 freeBytes(const QString &path)
{
    // The archive root may not exist yet: its nearest existing parent's disk.
    QString existing = path;
    while (!existing.isEmpty() && !QFileInfo::exists(existing))
        existing = QFileInfo(existing).path() == existing ? QString() : QFileInfo(existing).path();
    const QStorageInfo storage(existing);
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

QString kilobytes(qint64 bytes)
{
    return QStringLiteral("%1 КБ").arg(bytes / 1024);
}

QString lineFailed(const QString &path)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(": запись не удалась");
}

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

void TValueArchive::SetResumeHandler(TErrorHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_onResume = std::move(handler);
}

bool TValueArchive::ArchiveValue(const QString &name, const QDateTime &stamp, double value)
{
    const QString trimmed = TrimArchiveName(name);
    const qint64 dt = ArchiveStamp(stamp);
    TNotice notice;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        QString error;
        if (!stamp.isValid()) {
            error = kNoStamp;
        } else if (!roomToTry()) {
            error = kNoRoom;
        } else {
            enterDay(ArchiveStampToQDateTime(dt).date());
            if (TArchiveTable *table = openTable(trimmed, error)) {
                ok = table->Insert(value, dt, error);
            }
        }
        notice = noteResult({trimmed + QStringLiteral(".db")}, ok, error);
    }
    report(notice);
    return ok;
}

bool TValueArchive::ArchiveText(const QString &name, int precision, int digits, const QDateTime &stamp, double value)
{
    const QString trimmed = TrimArchiveName(name);
    const QDateTime local = ArchiveStampToQDateTime(ArchiveStamp(stamp));
    const QString line = ArchiveTextLine(local, precision, digits, value);
    TNotice notice;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        QString error;
        if (!stamp.isValid()) {
            error = kNoStamp;
        } else if (!IsArchiveName(trimmed)) {
            error = badName(name);
        } else if (!roomToTry()) {
            error = kNoRoom;
        } else {
            enterDay(local.date());
            const QString path = textPath(trimmed);
            // The day folder exists after the first write of the day; look
            // for it only when the line does not go in.
            ok = AppendTextLine(path, line) || (QDir().mkpath(m_dayFolder) && AppendTextLine(path, line));
            if (!ok)
                error = lineFailed(path);
        }
        notice = noteResult({trimmed + QStringLiteral(".txt")}, ok, error);
    }
    report(notice);
    return ok;
}

bool TValueArchive::Archive(const QString &name, int precision, int digits, const QDateTime &stamp, double value)
{
    const QString trimmed = TrimArchiveName(name);
    const qint64 dt = ArchiveStamp(stamp);
    const QDateTime local = ArchiveStampToQDateTime(dt);
    const QStringList files{trimmed + QStringLiteral(".db"), trimmed + QStringLiteral(".txt")};
    TNotice notice;
    bool ok = false;
    {
        std::lock_guard lock(m_mutex);
        QString error;
        QStringList failed = files;
        if (!stamp.isValid()) {
            error = kNoStamp;
        } else if (!roomToTry()) {
            error = kNoRoom;
        } else {
            enterDay(local.date());
            failed = QStringList{files.first()};
            if (TArchiveTable *table = openTable(trimmed, error)) {
                ok = table->Begin(error) && table->Insert(value, dt, error);
                if (ok) {
                    const QString path = textPath(trimmed);
                    const QFileInfo before(path);
                    const qint64 size = before.exists() ? before.size() : -1;
                    if (!AppendTextLine(path, ArchiveTextLine(local, precision, digits, value))) {
                        ok = false;
                        error = lineFailed(path);
                        failed = QStringList{files.last()};
                    } else if (!table->Commit(error)) {
                        ok = false;
                        // The row is not there: neither is its line.
                        if (size < 0)
                            QFile::remove(path);
                        else
                            QFile::resize(path, size);
                    }
                }
                if (!ok)
                    table->Rollback();
            }
        }
        notice = noteResult(ok ? files : failed, ok, error);
    }
    report(notice);
    return ok;
}

QStringList TValueArchive::FailedFiles() const
{
    std::lock_guard lock(m_mutex);
    QStringList files(m_everFailed.begin(), m_everFailed.end());
    files.sort();
    return files;
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

QString TValueArchive::textPath(const QString &name) const
{
    return m_dayFolder + QLatin1Char('/') + name + QStringLiteral(".txt");
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

bool TValueArchive::roomToTry() const
{
    return !m_diskFull || freeBytes(m_dbPath) >= m_roomNeeded;
}

TValueArchive::TNotice TValueArchive::noteResult(const QStringList &fileNames, bool ok, const QString &error)
{
    if (ok) {
        bool healed = false;
        for (const QString &fileName : fileNames)
            healed = m_failedFiles.remove(fileName) || healed;
        if (!healed || !m_failedFiles.isEmpty())
            return {};
        m_failing = false;
        m_diskFull = false;
        return {QStringLiteral("Архив снова записывается (свободно на диске %1)").arg(kilobytes(freeBytes(m_dbPath))),
                m_onResume};
    }
    // While waiting for room nothing was tried: nothing new failed.
    if (error == kNoRoom)
        return {};
    // Measured before any table is closed: closing one gives back its log,
    // and a disk that just refused a write would look roomy again.
    qint64 free = freeBytes(m_dbPath);
    const bool diskFull = free >= 0 && free < kRoomBytes;
    // A table that failed is opened afresh next time: after a full disk, or
    // a file that was replaced, the old connection is of no use.
    for (const QString &fileName : fileNames)
        if (fileName.endsWith(QStringLiteral(".db")))
            m_tables.erase(fileName.chopped(3));
    // On a full disk every table is closed, which folds the logs into the
    // files and removes them. The room they give back is the archive's own
    // and would be taken again within minutes: trying again on it alone
    // would stop and resume the archive over and over. So it waits for room
    // beyond that.
    if (diskFull) {
        m_tables.clear();
        free = freeBytes(m_dbPath);
        m_diskFull = true;
        m_roomNeeded = std::max<qint64>(free, 0) + kRoomBytes;
    }
    const bool firstFailure = m_failedFiles.isEmpty();
    for (const QString &fileName : fileNames) {
        m_failedFiles.insert(fileName);
        m_everFailed.insert(QDir::toNativeSeparators(m_dayFolder + QLatin1Char('/') + fileName));
    }
    if (!firstFailure)
        return {};
    m_failing = true;
    QString text = QStringLiteral("Архив не записывается: %1").arg(error);
    if (m_diskFull)
        text += QStringLiteral(". На диске свободно %1; архивирование продолжится само, когда будет свободно не менее %2")
                    .arg(kilobytes(free), kilobytes(m_roomNeeded));
    return {text, m_onError};
}

void TValueArchive::report(const TNotice &notice)
{
    if (!notice.text.isEmpty() && notice.handler)
        notice.handler(notice.text);
}
