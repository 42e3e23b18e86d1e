#include "archive/day_folder.h"

QString DayFolder(const QString &dbPath, const QDate &day)
{
    const QString datePart = day.toString(QStringLiteral("yyyy/MM/dd"));
    if (dbPath.isEmpty())
        return datePart;
    if (dbPath.endsWith(QLatin1Char('/')))
        return dbPath + datePart;
    return dbPath + QLatin1Char('/') + datePart;
}
