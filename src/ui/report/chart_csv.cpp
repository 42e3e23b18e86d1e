#include "ui/report/chart_csv.h"

#include "app/text_file.h"
#include "archive/archive_stamp.h"
#include "series/series.h"
#include "ui/dialogs/operator.h"
#include "values/csv_cells.h"

#include <qcustomplot.h>

#include <QDir>

namespace {

QString keyText(const QCPAxis &axis, double key)
{
    if (qSharedPointerDynamicCast<QCPAxisTickerDateTime>(axis.ticker()))
        return QCPAxisTickerDateTime::keyToDateTime(key).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    return CsvNumber(key);
}

TCsvColumns columnsOf(const QCPGraph &graph)
{
    const QCPAxis &keyAxis = *graph.keyAxis();
    TCsvColumns pair{keyAxis.label().isEmpty() ? QStringLiteral("X") : keyAxis.label(),
                     graph.name().isEmpty() ? QStringLiteral("Y") : graph.name(),
                     {},
                     {}};
    const QCPRange shown = keyAxis.range();
    const auto data = graph.data();
    for (auto point = data->findBegin(shown.lower, false); point != data->findEnd(shown.upper, false); ++point) {
        pair.Keys.append(keyText(keyAxis, point->key));
        pair.Values.append(CsvNumber(point->value)); // a gap of the series: an empty cell
    }
    return pair;
}

} // namespace

QStringList CsvColumnLines(const QList<TCsvColumns> &pairs)
{
    QStringList head;
    qsizetype rows = 0;
    for (const TCsvColumns &pair : pairs) {
        head << pair.KeyTitle << pair.ValueTitle;
        rows = qMax(rows, pair.Keys.size());
    }
    QStringList lines{CsvRow(head)};
    for (qsizetype row = 0; row < rows; ++row) {
        QStringList cells;
        for (const TCsvColumns &pair : pairs)
            cells << pair.Keys.value(row) << pair.Values.value(row);
        lines.append(CsvRow(cells));
    }
    return lines;
}

TCsvColumns SeriesCsvColumns(const QString &valueTitle, const TSeries &series, double fromStamp, double toStamp)
{
    TCsvColumns pair{QStringLiteral("Время"), valueTitle, {}, {}};
    for (qint64 i = series.LowerBound(fromStamp); i < series.Count(); ++i) {
        const TSeriesPoint point = series.At(i);
        if (point.Stamp > toStamp)
            break;
        pair.Keys.append(ArchiveStampToQDateTime(point.Stamp).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz")));
        pair.Values.append(CsvNumber(point.Value));
    }
    return pair;
}

QStringList ChartCsvLines(const QCustomPlot &chart)
{
    QList<TCsvColumns> pairs;
    for (int i = 0; i < chart.graphCount(); ++i)
        if (chart.graph(i)->visible())
            pairs.append(columnsOf(*chart.graph(i)));
    return CsvColumnLines(pairs);
}

bool SaveCsv(const QStringList &lines, const QString &path, QString &error)
{
    if (WriteTextLines(path, lines))
        return true;
    error = QStringLiteral("Не удалось записать данные в файл ") + QDir::toNativeSeparators(path);
    return false;
}

void SaveCsvAs(const QStringList &lines, const QString &name)
{
    const QString path = Operator().SaveFileName(QStringLiteral("Данные CSV (*.csv)"), QStringLiteral("csv"),
                                                 QDir::home().filePath(name + QStringLiteral(".csv")));
    if (path.isEmpty())
        return;
    QString error;
    if (!SaveCsv(lines, path, error))
        Operator().Error(error);
}

bool SaveChartCsv(const QCustomPlot &chart, const QString &path, QString &error)
{
    return SaveCsv(ChartCsvLines(chart), path, error);
}

void SaveChartCsvAs(const QCustomPlot &chart, const QString &name)
{
    SaveCsvAs(ChartCsvLines(chart), name);
}
