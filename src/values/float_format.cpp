#include "values/float_format.h"

#include "values/descriptions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A number as decimal digits: value = 0.d1d2d3... x 10^exponent, the form
// in which the workstations round before they lay the digits out.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading or trailing zeros; empty for zero
    int exponent = 0;
};

void stripTrailingZeros(Decimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

// 17 significant digits hold every double exactly enough; the rounding to
// the asked digits is then done on the decimal text, half away from zero,
// so 1234.5 with 4 digits gives 1235 as on the workstations.
Decimal toDecimal(double value)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char text[40];
    std::snprintf(text, sizeof text, "%.16e", std::fabs(value)); // d.ddddddddddddddddde[+-]xx
    d.digits.push_back(text[0]);
    const char *p = text + 2;
    while (*p != 'e')
        d.digits.push_back(*p++);
    d.exponent = std::atoi(p + 1) + 1;
    stripTrailingZeros(d);
    return d;
}

// Keeps at most count digits, rounding half away from zero.
void roundTo(Decimal &d, int count)
{
    if (int(d.digits.size()) <= count)
        return;
    if (count < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const bool up = d.digits[size_t(count)] >= '5';
    d.digits.resize(size_t(count));
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.digits[size_t(i)] == '9')
            d.digits[size_t(i--)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[size_t(i)];
        }
    }
    stripTrailingZeros(d);
}

char digitAt(const Decimal &d, int index)
{
    return index >= 0 && index < int(d.digits.size()) ? d.digits[size_t(index)] : '0';
}

QString sign(const Decimal &d)
{
    // A number rounded to zero is shown without its minus.
    return d.negative && !d.digits.empty() ? QStringLiteral("-") : QString();
}

// "E", the exponent's sign (always, or only when negative) and at least
// minDigits digits.
QString exponentText(int exponent, bool alwaysSign, int minDigits)
{
    QString text = QStringLiteral("E");
    if (exponent < 0)
        text += QLatin1Char('-');
    else if (alwaysSign)
        text += QLatin1Char('+');
    text += QString::number(std::abs(exponent)).rightJustified(std::clamp(minDigits, 0, 4), QLatin1Char('0'));
    return text;
}

QString formatGeneral(Decimal d, int precision, int digits, const QLocale &locale)
{
    roundTo(d, precision);
    if (d.digits.empty())
        return QStringLiteral("0");
    const int count = int(d.digits.size());
    QString text = sign(d);
    // Fixed notation while the integer part fits the precision and the
    // number is not below 0.00001.
    if (d.exponent > precision || d.exponent < -4) {
        text += QLatin1Char(d.digits[0]);
        if (count > 1)
            text += locale.decimalPoint() + QString::fromLatin1(d.digits.data() + 1, count - 1);
        return text + exponentText(d.exponent - 1, false, digits);
    }
    if (d.exponent <= 0) {
        text += QLatin1Char('0') + locale.decimalPoint() + QString(-d.exponent, QLatin1Char('0'));
        return text + QString::fromLatin1(d.digits.data(), count);
    }
    for (int i = 0; i < d.exponent; ++i)
        text += QLatin1Char(digitAt(d, i));
    if (count > d.exponent)
        text += locale.decimalPoint() + QString::fromLatin1(d.digits.data() + d.exponent, count - d.exponent);
    return text;
}

QString formatExponent(Decimal d, int precision, int digits, const QLocale &locale)
{
    roundTo(d, precision);
    QString text = sign(d) + QLatin1Char(digitAt(d, 0));
    if (precision > 1) {
        text += locale.decimalPoint();
        for (int i = 1; i < precision; ++i)
            text += QLatin1Char(digitAt(d, i));
    }
    return text + exponentText(d.digits.empty() ? 0 : d.exponent - 1, true, digits);
}

QString formatFixed(const Decimal &value, int precision, int digits, bool grouped, const QLocale &locale)
{
    Decimal d = value;
    roundTo(d, std::min(precision, d.exponent + digits));
    // More integer digits than the precision allows: scientific notation.
    if (d.exponent > precision)
        return formatGeneral(value, precision, digits, locale);
    QString integer;
    for (int i = 0; i < d.exponent; ++i)
        integer += QLatin1Char(digitAt(d, i));
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    if (grouped) {
        for (qsizetype at = integer.size() - 3; at > 0; at -= 3)
            integer.insert(at, locale.groupSeparator());
    }
    QString text = sign(d) + integer;
    if (digits > 0) {
        text += locale.decimalPoint();
        for (int i = 0; i < digits; ++i)
            text += QLatin1Char(digitAt(d, d.exponent + i));
    }
    return text;
}

} // namespace

QString FloatToStrF(double value, int format, int precision, int digits, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    // A double carries no more than 17 meaningful digits; the workstations
    // never show fewer than 2.
    precision = std::clamp(precision, 2, 17);
    const Decimal d = toDecimal(value);
    switch (format) {
    case TDescriptionOfDouble::ffExponent:
        return formatExponent(d, precision, digits, locale);
    case TDescriptionOfDouble::ffFixed:
    case TDescriptionOfDouble::ffNumber:
        return formatFixed(d, precision, std::clamp(digits, 0, 18), format == TDescriptionOfDouble::ffNumber, locale);
    default:
        return formatGeneral(d, precision, digits, locale);
    }
}
