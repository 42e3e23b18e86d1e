#include "app/program_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// The installation's own list, replaced at every start like at every
// install; the other files are the user's settings once copied.
const QString AlwaysReplaced = QStringLiteral("ProgramTypes.ini");

void seedIni(const QString &defaults, const QString &iniFolder)
{
    const QDir source(defaults);
    if (!source.exists() || !QDir().mkpath(iniFolder))
        return;
    for (const QString &name : source.entryList(QDir::Files)) {
        const QString target = QDir(iniFolder).filePath(name);
        if (QFile::exists(target)) {
            if (name != AlwaysReplaced)
                continue;
            QFile::remove(target);
        }
        QFile::copy(source.filePath(name), target);
    }
}

} // namespace

bool FolderWritable(const QString &folder)
{
    if (!QDir(folder).exists())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tolm47x-XXXXXX")));
    return probe.open();
}

QString InstalledIniDefaults(const QString &executableFolder)
{
    return QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral("../share/tolm47x/INI")));
}

QString UserProgramFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("tolm47x"));
}

bool PortableCopy(const QString &executableFolder)
{
    if (!FolderWritable(executableFolder))
        return false;
    return QDir(executableFolder).exists(QStringLiteral("INI")) ||
           !QDir(InstalledIniDefaults(executableFolder)).exists();
}

TProgramFolder ResolveProgramFolder(const QString &executableFolder, bool portable, const QString &userFolder,
                                    const QString &iniDefaults)
{
    if (portable)
        return {executableFolder, false};
    QDir().mkpath(userFolder);
    seedIni(iniDefaults, QDir(userFolder).filePath(QStringLiteral("INI")));
    return {userFolder, true};
}

TProgramFolder ProgramFolderOf(const QString &executableFolder)
{
    return ResolveProgramFolder(executableFolder, PortableCopy(executableFolder), UserProgramFolder(),
                                InstalledIniDefaults(executableFolder));
}
