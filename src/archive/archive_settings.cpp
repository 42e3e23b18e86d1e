#include "archive/archive_settings.h"

#include "app/ini_file.h"

#include <QDir>

namespace {

const QString kSection = QStringLiteral("BDE");
const QString kPathKey = QStringLiteral("dbPath");
const QString kAliasKey = QStringLiteral("dbAlias");

QString settingsFile(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("INI/bde.ini"));
}

} // namespace

TArchiveSettings LoadArchiveSettings(const QString &programFolder)
{
    const TIniFile ini(settingsFile(programFolder));
    TArchiveSettings settings;
    settings.dbAlias = ini.ReadString(kSection, kAliasKey, QString());
    settings.dbPath = ini.ReadString(kSection, kPathKey, QString());
    if (settings.dbPath.isEmpty())
        settings.dbPath = QDir(programFolder).filePath(QStringLiteral("DATA"));
    return settings;
}

bool SaveArchiveSettings(const QString &programFolder, const TArchiveSettings &settings)
{
    TIniFile ini(settingsFile(programFolder));
    ini.WriteString(kSection, kAliasKey, settings.dbAlias);
    ini.WriteString(kSection, kPathKey, settings.dbPath);
    return ini.UpdateFile();
}
