#pragma once
// One line of an archive text file, for operators who read the archive
// without tools: the local short date and long time, one blank, the value in
// fixed-point notation with the local decimal separator. Line ends and the
// Windows-1251 encoding are the text file writer's business.

#include <QDateTime>
#include <QLocale>
#include <QString>

// Fixed-point text of a value as the workstations print it: rounded (half
// away from zero, so a gauge float of 1234.25 shows 1234.3) to `precision`
// significant digits and `digits` after the decimal separator, padded with
// zeros past the significant ones, no thousands separators. A value with
// more integer digits than `precision` gets the general form with an
// exponent ("1.23456789E10"); a value that rounds to zero has no minus sign.
QString FormatFixed(double value, int precision, int digits, const QLocale &locale = QLocale());

// The locale's long time format without the time zone part.
QString LongTimeFormat(const QLocale &locale = QLocale());

QString ArchiveTextLine(const QDateTime &stamp, int precision, int digits, double value,
                        const QLocale &locale = QLocale());
