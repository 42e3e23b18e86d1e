// The chart of the printed graph report: the window's view on a chart of
// the page's size, drawn from the same series store.
#include "ui/windows/form_graph.h"

#include "ui/windows/graph_axis.h"
#include "ui/report/chart_csv.h"

#include <qcustomplot.h>

#include <QPointer>

void TFormGraph::FillReportChart(QCustomPlot &chart) const
{
    chart.clearGraphs();
    // Time labels on one line: a page has room for them.
    setupTimeAxis(chart, true);
    setupValueAxis(chart);
    chart.xAxis->setRange(m_chart->xAxis->range());
    chart.yAxis->setRange(m_chart->yAxis->range());
    // The axis rectangle takes its width from the layout.
    chart.replot(QCustomPlot::rpImmediateRefresh);
    QCPGraph *line = chart.addGraph();
    line->setPen(QPen(Qt::blue, 1));
    fillGraph(*line, m_series, TimeMin(), TimeMax(), chart.axisRect()->width());
    if (m_showPoints) {
        QCPGraph *markers = chart.addGraph();
        markers->setPen(QPen(Qt::red, 1));
        markers->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, 1));
        markers->data()->set(*line->data());
    }
}

TChartReport TFormGraph::Report() const
{
    return report([self = QPointer<const TFormGraph>(this)](QCustomPlot &chart) {
        if (self)
            self->FillReportChart(chart);
    });
}

QStringList TFormGraph::CsvLines() const
{
    return CsvColumnLines({SeriesCsvColumns(m_chart->yAxis->label(), m_series, TimeMin() * 1000, TimeMax() * 1000)});
}
