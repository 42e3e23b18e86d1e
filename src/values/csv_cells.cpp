#include "values/csv_cells.h"

#include <cmath>

QString CsvNumber(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString();
    QString text = decimals < 0 ? QString::number(value, 'g', 15) : QString::number(value, 'f', decimals);
    // A small negative value rounded to zero is zero, not "-0,000".
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) + text.count(QLatin1Char('.')) == text.size() - 1)
        text.remove(0, 1);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString CsvRow(const QStringList &cells)
{
    QStringList out;
    for (const QString &cell : cells) {
        if (cell.contains(QLatin1Char(';')) || cell.contains(QLatin1Char('"')) || cell.contains(QLatin1Char('\n')) ||
            cell.contains(QLatin1Char('\r')))
            out.append(QLatin1Char('"') + QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
                       QLatin1Char('"'));
        else
            out.append(cell);
    }
    return out.join(QLatin1Char(';'));
}
