#pragma once
// The float-to-text conversion the readings, archive text files and reports
// use: format (general, exponent, fixed, number with thousands separators),
// significant digits and digits after the decimal separator, with the
// locale's separators.

#include <QLocale>
#include <QString>

QString FloatToStrF(double value, int format, int precision, int digits, const QLocale &locale = QLocale());
