// The chart of the printed graph report: the window's view on a chart of
// the page's size, drawn from the same series store.
#include "ui/windows/form_graph.h"

#include "device/tolm472.h"
#include "ui/windows/graph_axis.h"
#include "values/csv_cells.h"

#include <qcustomplot.h>

#include <QPointer>

void TFormGraph::FillReportChart(QCustomPlot &chart) const
{
    chart.clearGraphs();
    setupAxes(chart);
    // Time labels on one line: a page has room for them.
    auto time = QSharedPointer<QCPAxisTickerDateTime>::create();
    time->setDateTimeFormat(QStringLiteral("dd.MM.yy hh:mm:ss"));
    time->setDateTimeSpec(Qt::UTC);
    chart.xAxis->setTicker(time);
    chart.xAxis->setRange(m_chart->xAxis->range());
    chart.yAxis->setRange(m_chart->yAxis->range());
    // The axis rectangle takes its width from the layout.
    chart.replot(QCustomPlot::rpImmediateRefresh);
    const int columns = std::max(1, chart.axisRect()->width());
    const std::vector<TSeriesPoint> points =
        m_series.Reduce(TimeMin() * 1000, TimeMax() * 1000, columns);
    QVector<double> keys, values;
    keys.reserve(qsizetype(points.size()));
    values.reserve(qsizetype(points.size()));
    for (const TSeriesPoint &p : points) {
        keys.append(KeyOfStamp(p.Stamp));
        values.append(p.Value);
    }
    QCPGraph *line = chart.addGraph();
    line->setPen(QPen(Qt::blue, 1));
    line->setData(keys, values, true);
    if (m_showPoints) {
        QCPGraph *markers = chart.addGraph();
        markers->setPen(QPen(Qt::red, 1));
        markers->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, 1));
        markers->setData(keys, values, true);
    }
}

TChartReport TFormGraph::Report() const
{
    QPointer<const TFormGraph> self(this);
    TChartReport report{windowTitle(),
                        QStringLiteral("с ") + DateTimeText(DateTimeOfKey(TimeMin())) + QStringLiteral(" по ") +
                            DateTimeText(DateTimeOfKey(TimeMax())),
                        QString(), QString(), [self](QCustomPlot &chart) {
                            if (self)
                                self->FillReportChart(chart);
                        }};
    if (const Ttolm472 *gauge = m_sources.Gauge) {
        report.PlantNumber = QString::number(gauge->PlantNumber());
        report.Model = gauge->Description.Title + gauge->ModelSuffix();
    }
    return report;
}

QStringList TFormGraph::CsvLines() const
{
    QStringList lines{CsvRow({QStringLiteral("Время"), m_chart->yAxis->label()})};
    const double to = TimeMax() * 1000;
    for (qint64 i = m_series.LowerBound(TimeMin() * 1000); i < m_series.Count(); ++i) {
        const TSeriesPoint point = m_series.At(i);
        if (point.Stamp > to)
            break;
        lines.append(CsvRow({DateTimeOfKey(KeyOfStamp(point.Stamp)).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz")),
                             CsvNumber(point.Value)}));
    }
    return lines;
}
