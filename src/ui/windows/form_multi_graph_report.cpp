// The multi-graph's printed page and CSV: the window's view, every series
// in its colour with the legend below, drawn from the same series stores.
#include "ui/windows/form_multi_graph.h"

#include "ui/report/chart_csv.h"

#include <QPointer>
#include <qcustomplot.h>

void TFormMultiGraph::FillReportChart(QCustomPlot &chart) const
{
    chart.clearGraphs();
    // Time labels on one line: a page has room for them.
    setupTimeAxis(chart, true);
    // One decimal on paper, whatever the values have on screen.
    setupValueAxis(chart, 1);
    chart.yAxis->setLabel(m_chart->yAxis->label());
    chart.xAxis->setRange(m_chart->xAxis->range());
    chart.yAxis->setRange(m_chart->yAxis->range());
    putLegendBelow(chart);
    for (const QCPGraph *shown : m_lines) {
        QCPGraph *line = chart.addGraph();
        line->setPen(shown->pen());
        line->setName(shown->name());
        line->setScatterStyle(shown->scatterStyle());
        line->setVisible(shown->visible());
    }
    // The axis rectangle takes its width from the layout.
    chart.replot(QCustomPlot::rpImmediateRefresh);
    for (int i = 0; i < chart.graphCount(); ++i)
        fillGraph(*chart.graph(i), m_collection.Item(i)->Series, TimeMin(), TimeMax(), chart.axisRect()->width());
}

TChartReport TFormMultiGraph::Report() const
{
    return report([self = QPointer<const TFormMultiGraph>(this)](QCustomPlot &chart) {
        if (self)
            self->FillReportChart(chart);
    });
}

QStringList TFormMultiGraph::CsvLines() const
{
    QList<TCsvColumns> columns;
    for (int i = 0; i < m_collection.Count(); ++i) {
        const TMGCollectionItem &item = *m_collection.Item(i);
        if (item.Visible)
            columns.append(SeriesCsvColumns(item.Value.Description.Title, item.Series, TimeMin() * 1000,
                                            TimeMax() * 1000));
    }
    return CsvColumnLines(columns);
}
