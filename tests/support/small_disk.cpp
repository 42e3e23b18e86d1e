#include "support/small_disk.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>

namespace {

const char *const kBallast = ".ballast";

} // namespace

SmallDisk::SmallDisk(int kilobytes)
{
    if (!m_dir.isValid()) {
        m_reason = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) != 0) {
        m_reason = QStringLiteral("a small tmpfs cannot be mounted here (%1); run as root to test a full disk")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString SmallDisk::file(const QString &relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

qint64 SmallDisk::FreeBytes() const
{
    struct statvfs st {};
    if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &st) != 0)
        return -1;
    return qint64(st.f_bavail) * qint64(st.f_frsize);
}

void SmallDisk::Fill(qint64 leaveBytes)
{
    QFile ballast(file(QLatin1String(kBallast)));
    if (!ballast.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray page(4096, 'x');
    // Pages until the disk refuses, then the last bytes one by one.
    while (FreeBytes() > leaveBytes + page.size() && ballast.write(page) == page.size()) {
    }
    const QByteArray one(1, 'x');
    while (FreeBytes() > leaveBytes && ballast.write(one) == 1) {
    }
}

void SmallDisk::Free()
{
    QFile::remove(file(QLatin1String(kBallast)));
}
