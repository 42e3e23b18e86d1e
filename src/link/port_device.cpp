#include "link/port_device.h"

#include <QFile>

#include <grp.h>
#include <sys/stat.h>

QString PortDevicePath(const QString &portName)
{
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
}

bool PortDeviceExists(const QString &portName)
{
    struct stat status {};
    return ::stat(QFile::encodeName(PortDevicePath(portName)).constData(), &status) == 0;
}

QString PortDeviceGroup(const QString &portName)
{
    struct stat status {};
    if (::stat(QFile::encodeName(PortDevicePath(portName)).constData(), &status) != 0)
        return {};
    const group *owner = ::getgrgid(status.st_gid);
    return owner && owner->gr_name ? QString::fromLocal8Bit(owner->gr_name) : QString();
}
