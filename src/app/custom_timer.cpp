#include "app/custom_timer.h"

#include "app/app_context.h"
#include "app/ini_file.h"

#include <QDir>
#include <QFile>

TCustomTimer::TCustomTimer(QObject *parent)
    : QTimer(parent)
{
    setObjectName(QStringLiteral("CustomTimer"));
    setInterval(kDefaultInterval);
}

void TCustomTimer::SetFileName(const QString &name)
{
    if (!name.isEmpty())
        m_fileName = name;
}

QString TCustomTimer::SettingsPath() const
{
    if (QDir::isAbsolutePath(m_fileName))
        return m_fileName;
    return AppContext().StartIniFile(m_fileName);
}

void TCustomTimer::SetInterval(int ms)
{
    if (ms < 1)
        return;
    setInterval(ms);
    if (isActive())
        emit OnRunning(true, ms);
}

void TCustomTimer::Load()
{
    const QString path = SettingsPath();
    if (!QFile::exists(path)) {
        // The file is made here; the "INI" folder belongs to the installation.
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.close();
    }
    const TIniFile ini(path);
    const int ms = ini.ReadInteger(Name(), QStringLiteral("Interval"), kDefaultInterval);
    setInterval(ms >= 1 ? ms : kDefaultInterval);
    setEnabled(ini.ReadBool(Name(), QStringLiteral("Enabled"), false));
}

bool TCustomTimer::Save() const
{
    TIniFile ini(SettingsPath());
    ini.WriteBool(Name(), QStringLiteral("Enabled"), IsEnabled());
    ini.WriteInteger(Name(), QStringLiteral("Interval"), Interval());
    return ini.UpdateFile();
}

void TCustomTimer::setEnabled(bool enabled)
{
    // Enabling a running timer does not restart its period.
    const bool was = isActive();
    if (enabled && !was)
        start();
    else if (!enabled)
        stop();
    if (was != isActive())
        emit OnRunning(isActive(), interval());
}

void TCustomTimer::Start()
{
    setEnabled(true);
    emit OnStateChange(this);
}

void TCustomTimer::Stop()
{
    setEnabled(false);
    emit OnStateChange(this);
}

void TCustomTimer::Pause(bool paused)
{
    setEnabled(!paused);
}
