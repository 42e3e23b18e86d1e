#include "app/replacing_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

bool syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

} // namespace

TReplacingFile::TReplacingFile(const QString &target)
    : m_target(target),
      m_temporary(QFileInfo(target).dir().filePath(QStringLiteral(".") + QFileInfo(target).fileName()
                                                   + QStringLiteral(".XXXXXX")))
{
    // Only the name is wanted: the writer makes the file anew.
    if (m_temporary.open()) {
        m_temporaryPath = m_temporary.fileName();
        m_temporary.close();
    }
}

bool TReplacingFile::Commit(QString &error)
{
    const QString why = QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(m_target);
    if (m_temporaryPath.isEmpty() || QFileInfo(m_temporaryPath).size() == 0) {
        error = why;
        return false;
    }
    // The temporary file is private to its owner; the new file is read like
    // the one it replaces, or like any new file of the user's.
    const QFileInfo old(m_target);
    QFile::setPermissions(m_temporaryPath,
                          old.exists() ? old.permissions()
                                       : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!syncPath(m_temporaryPath, O_RDONLY)
        || std::rename(QFile::encodeName(m_temporaryPath).constData(), QFile::encodeName(m_target).constData()) != 0) {
        error = why;
        return false;
    }
    // The rename itself is on the disk only once the folder is.
    syncPath(QFileInfo(m_target).absolutePath(), O_RDONLY | O_DIRECTORY);
    return true;
}
