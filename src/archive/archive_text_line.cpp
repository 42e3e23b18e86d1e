#include "archive/archive_text_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Decimal exponent of the value once rounded to `precision` significant
// digits (rounding 999.96 to four digits carries into the next power).
int roundedExponent(double value, int precision)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
    const char *e = std::strchr(buffer, 'e');
    return e ? std::atoi(e + 1) : 0;
}

// Too many integer digits for the precision: the significant digits
// without trailing zeros, "E", the exponent with a sign only when negative
// and at least `digits` digits, four at most ("1.23456789E10").
QString generalWithExponent(double value, int precision, int digits)
{
    const QString scientific = QString::number(value, 'e', precision - 1);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    QString mantissa = scientific.left(e);
    if (mantissa.contains(QLatin1Char('.'))) {
        while (mantissa.endsWith(QLatin1Char('0')))
            mantissa.chop(1);
        if (mantissa.endsWith(QLatin1Char('.')))
            mantissa.chop(1);
    }
    const int exponent = scientific.mid(e + 1).toInt();
    return mantissa + QLatin1Char('E') + (exponent < 0 ? QStringLiteral("-") : QString())
        + QString::number(std::abs(exponent)).rightJustified(std::min(digits, 4), QLatin1Char('0'));
}

bool hasNonZeroDigit(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });
}

} // namespace

QString FormatFixed(double value, int precision, int digits, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    precision = std::clamp(precision, 1, 18);
    digits = std::clamp(digits, 0, 18);

    const int exponent = roundedExponent(value, precision);
    QString text;
    if (exponent >= precision) {
        text = generalWithExponent(value, precision, digits);
    } else {
        const int significantDecimals = precision - 1 - exponent;
        if (digits <= significantDecimals) {
            text = QString::number(value, 'f', digits);
        } else {
            // Past the significant digits the workstations print zeros, not
            // the binary noise of the double.
            text = QString::number(value, 'f', significantDecimals);
            if (significantDecimals == 0)
                text += QLatin1Char('.');
            text += QString(digits - significantDecimals, QLatin1Char('0'));
        }
    }

    bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    if (!hasNonZeroDigit(text))
        negative = false;
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return negative ? locale.negativeSign() + text : text;
}

QString LongTimeFormat(const QLocale &locale)
{
    // Drop the zone ("t" outside quoted literal text) and the blanks around it.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.simplified();
}

QString ArchiveTextLine(const QDateTime &stamp, int precision, int digits, double value, const QLocale &locale)
{
    const QDateTime local = stamp.timeSpec() == Qt::LocalTime ? stamp : stamp.toLocalTime();
    return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + locale.toString(local.time(), LongTimeFormat(locale)) + QLatin1Char(' ')
        + FormatFixed(value, precision, digits, locale);
}
