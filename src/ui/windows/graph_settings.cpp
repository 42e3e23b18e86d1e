#include "ui/windows/graph_settings.h"

#include "app/app_context.h"
#include "app/ini_file.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString Section = QStringLiteral("Parameters");

} // namespace

QString TGraphSettings::FileName()
{
    return AppContext().ProgramIniFile(QStringLiteral("fGraph.ini"));
}

QString TGraphSettings::MultiGraphFileName()
{
    return AppContext().ProgramIniFile(QStringLiteral("fMultiGraph.ini"));
}

TGraphSettings TGraphSettings::Load(const QString &fileName, bool withYRange)
{
    const TIniFile ini(fileName);
    TGraphSettings s;
    s.StepIndex = ini.ReadInteger(Section, QStringLiteral("dtStepIndex"), s.StepIndex);
    s.Points = ini.ReadBool(Section, QStringLiteral("Points"), s.Points);
    s.Scan = ini.ReadBool(Section, QStringLiteral("Scan"), s.Scan);
    if (withYRange)
        s.YRange = ini.ReadFloat(Section, QStringLiteral("YRange"), 0);
    return s;
}

bool TGraphSettings::Save(const QString &fileName) const
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    TIniFile ini(fileName);
    ini.WriteInteger(Section, QStringLiteral("dtStepIndex"), StepIndex);
    ini.WriteBool(Section, QStringLiteral("Points"), Points);
    ini.WriteBool(Section, QStringLiteral("Scan"), Scan);
    if (YRange)
        ini.WriteFloat(Section, QStringLiteral("YRange"), *YRange);
    return ini.UpdateFile();
}
