#pragma once
// Archive names ("Freq", "Distance", ...) name a table and, with ".db" and
// ".txt", its two files in the day folder. A name that reaches this layer is
// trimmed first, so " Freq " and "Freq" are the same archive; a name that
// could leave the day folder or break the statement text is refused.

#include <QString>

QString TrimArchiveName(const QString &name);
// A trimmed name that is usable as a file name in the day folder: not empty,
// no path separator, no control character, not "." or "..".
bool IsArchiveName(const QString &trimmedName);
// The name as an SQL identifier (double quotes, inner quotes doubled).
QString QuotedTableName(const QString &trimmedName);
