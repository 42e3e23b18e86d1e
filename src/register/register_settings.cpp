#include "register/register_settings.h"

#include "app/ini_file.h"

#include <QDir>
#include <QSysInfo>

QString TRegisterServer::Describe() const
{
    return User + QLatin1Char('@') + Host + QLatin1Char(':') + QString::number(Port) + QLatin1Char('/') + Database;
}

QString RegisterIniFile(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("INI/Register.ini"));
}

TRegisterSettings LoadRegisterSettings(const QString &programFolder)
{
    const TIniFile ini(RegisterIniFile(programFolder));
    const QString bench = QStringLiteral("Bench");
    const QString server = QStringLiteral("Server");
    TRegisterSettings settings;
    settings.Bench = ini.ReadString(bench, QStringLiteral("Name"), QString()).trimmed();
    if (settings.Bench.isEmpty())
        settings.Bench = QSysInfo::machineHostName();
    settings.Server.Host = ini.ReadString(server, QStringLiteral("Host"), QString()).trimmed();
    settings.Server.Port = ini.ReadInteger(server, QStringLiteral("Port"), settings.Server.Port);
    settings.Server.Database = ini.ReadString(server, QStringLiteral("Database"), QString()).trimmed();
    settings.Server.User = ini.ReadString(server, QStringLiteral("User"), QString()).trimmed();
    settings.Server.SslMode =
        ini.ReadString(server, QStringLiteral("SslMode"), settings.Server.SslMode).trimmed().toLower();
    return settings;
}

QString RegisterDbFile(const QString &dbPath)
{
    return QDir(dbPath).filePath(QStringLiteral("Register.db"));
}
