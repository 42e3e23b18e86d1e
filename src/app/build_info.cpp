#include "app/build_info.h"

#include <QStringList>

QString VersionLine(const QString &program)
{
    QStringList facts;
    if (!ProgramCommit().isEmpty())
        facts.append(ProgramCommit());
    facts.append(ProgramBuildDate());
    return program + QLatin1Char(' ') + ProgramVersion() + QStringLiteral(" (") + facts.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}
