#include "archive/archive_name.h"

QString TrimArchiveName(const QString &name)
{
    return name.trimmed();
}

bool IsArchiveName(const QString &trimmedName)
{
    if (trimmedName.isEmpty() || trimmedName == QLatin1String(".") || trimmedName == QLatin1String(".."))
        return false;
    for (const QChar c : trimmedName) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString QuotedTableName(const QString &trimmedName)
{
    QString quoted = trimmedName;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
