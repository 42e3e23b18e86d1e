#include "app/log.h"

#include "values/clock.h"
#include "app/text_file.h"

#include <QDir>
#include <QFileInfo>

void TLog::SetFileName(const QString &name)
{
    if (!name.isEmpty())
        m_fileName = name;
}

bool TLog::Add(const QString &text) const
{
    const QString folder = QFileInfo(m_fileName).path();
    if (!folder.isEmpty() && folder != QLatin1String(".") && !QDir(folder).exists())
        QDir().mkpath(folder); // a failure shows up as a failed append below
    const QString stamp = Clock().Now().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss,zzz"));
    return AppendTextLine(m_fileName, stamp + QLatin1Char(' ') + text);
}
