// The time graph's own view: its value axis, "Размах 4 мм", the Y range,
// the status bar and the point under the mouse. The chart never holds the
// series itself: every change of the time axis refills it with the
// reduction for its pixel width.
#include "ui/windows/form_graph.h"

#include "ui/windows/graph_axis.h"
#include "ui/windows/value_ticker.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QLabel>
#include <qcustomplot.h>

void TFormGraph::setupValueAxis(QCustomPlot &chart) const
{
    chart.yAxis->setTicker(QSharedPointer<TValueTicker>::create(m_value.Description));
    const TDescriptionOfDouble &d = m_value.Description;
    chart.yAxis->setLabel(d.Title + QStringLiteral(", ") + d.Dimension);
}

void TFormGraph::refillChart()
{
    const QCPRange range = m_chart->xAxis->range();
    fillGraph(*m_line, m_series, range.lower, range.upper, m_chart->axisRect()->width());
    if (m_showPoints)
        m_markers->data()->set(*m_line->data());
    else
        m_markers->data()->clear();
}

bool TFormGraph::homeValueRange(double &min, double &max) const
{
    const TDescriptionOfDouble &d = m_value.Description;
    min = d.Min();
    max = d.Max();
    return true;
}

bool TFormGraph::presentValue(double &value) const
{
    if (m_hasValue) {
        value = m_value.AsDouble();
        return true;
    }
    if (m_series.Empty())
        return false;
    value = m_series.At(m_series.Count() - 1).Value;
    return true;
}

void TFormGraph::set4Millimeters()
{
    double v;
    if (!presentValue(v))
        return;
    const double min = ValueMin(), max = ValueMax();
    if (v >= min && v <= max)
        return;
    const double span = max - min;
    setValueRange(v - span / 2, v + span / 2);
}

void TFormGraph::setYRange()
{
    double v;
    if (m_yRange == 0 || !presentValue(v))
        return;
    setValueRange(v - m_yRange / 2, v + m_yRange / 2);
    uncheckSteps();
}

void TFormGraph::updateStatus()
{
    m_panels[0]->setText(rangeText());
    m_panels[1]->setText(intervalText());
    m_panels[2]->setText(GraphValueText(ValueMax() - ValueMin(), m_value.Description) + QLatin1Char(' ') +
                         m_value.Description.Dimension);
}

void TFormGraph::showPointUnderMouse(double key, double value)
{
    const TDescriptionOfDouble &d = m_value.Description;
    const QString number = d.Digits == 255
                               ? QString::number(value)
                               : FloatToStrF(value, TDescriptionOfDouble::ffFixed, d.Precision, d.Digits) +
                                     QStringLiteral(", ") + d.Dimension;
    m_panels[4]->setText(DateTimeText(DateTimeOfKey(key)) + QLatin1Char(' ') + d.Title + QLatin1Char(' ') + number);
}
