#include "app/app_context.h"

#include "app/program_folder.h"

#include <QCoreApplication>
#include <QDir>

TAppFlags ParseSwitches(const QStringList &arguments)
{
    TAppFlags flags;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("/full"))
            flags.FullMode = true;
        else if (argument == QLatin1String("/lumidor"))
            flags.LumidorMode = true;
        else if (argument == QLatin1String("/modbus"))
            flags.ModbusMode = true;
        else if (argument == QLatin1String("/sim"))
            flags.SimMode = true;
    }
    return flags;
}

TAppContext::TAppContext()
    : TAppContext(QDir::currentPath(), QDir::currentPath())
{
}

TAppContext::TAppContext(const QString &programFolder, const QString &startFolder, const QStringList &arguments)
    : Flags(ParseSwitches(arguments))
    , m_programFolder(programFolder)
    , m_startFolder(startFolder)
{
}

TAppContext TAppContext::FromApplication()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const TProgramFolder folder = ProgramFolderOf(executableFolder);
    return TAppContext(folder.Path, folder.Installed ? folder.Path : QDir::currentPath(), QCoreApplication::arguments());
}

QString TAppContext::ProgramIniFile(const QString &name) const
{
    return QDir(m_programFolder).filePath(QStringLiteral("INI/") + name);
}

QString TAppContext::StartIniFile(const QString &name) const
{
    return QDir(m_startFolder).filePath(QStringLiteral("INI/") + name);
}

QString TAppContext::DataFolder() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("DATA"));
}

TAppContext &AppContext()
{
    static TAppContext context;
    return context;
}

void SetAppContext(const TAppContext &context)
{
    AppContext() = context;
}
