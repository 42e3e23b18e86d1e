#pragma once
// The archive keeps one folder per day below its root: root/yyyy/mm/dd. The
// per-value tables and text files and the spectrum and signal capture files
// of that day live there.

#include <QDate>
#include <QString>

// The folder of a day below dbPath. No doubled separator when dbPath already
// ends with one; the date part alone when dbPath is empty.
QString DayFolder(const QString &dbPath, const QDate &day);
