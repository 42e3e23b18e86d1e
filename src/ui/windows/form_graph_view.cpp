// The time graph's view: axes, steps, zoom, the scroll bar, the keys and
// the status bar. The chart never holds the series itself: every change of
// the time axis refills it with the reduction for its pixel width.
#include "ui/windows/form_graph.h"

#include "ui/windows/graph_axis.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <qcustomplot.h>

#include <cmath>

namespace {

// Value labels as the window shows values (graph_axis.h).
class TValueTicker final : public QCPAxisTicker
{
public:
    explicit TValueTicker(const TDescriptionOfDouble &description) : m_description(description) {}

protected:
    QString getTickLabel(double tick, const QLocale &, QChar, int) override
    {
        return GraphValueText(tick, m_description);
    }

private:
    TDescriptionOfDouble m_description;
};

} // namespace

double TFormGraph::TimeMin() const
{
    return m_chart->xAxis->range().lower;
}

double TFormGraph::TimeMax() const
{
    return m_chart->xAxis->range().upper;
}

double TFormGraph::ValueMin() const
{
    return m_chart->yAxis->range().lower;
}

double TFormGraph::ValueMax() const
{
    return m_chart->yAxis->range().upper;
}

void TFormGraph::setupAxes(QCustomPlot &chart) const
{
    auto time = QSharedPointer<QCPAxisTickerDateTime>::create();
    time->setDateTimeFormat(QStringLiteral("dd.MM.yy\nhh:mm:ss"));
    // Keys are wall-clock stamps counted like UTC (graph_axis.h).
    time->setDateTimeSpec(Qt::UTC);
    chart.xAxis->setTicker(time);
    chart.yAxis->setTicker(QSharedPointer<TValueTicker>::create(m_value.Description));
    const TDescriptionOfDouble &d = m_value.Description;
    chart.yAxis->setLabel(d.Title + QStringLiteral(", ") + d.Dimension);
}

void TFormGraph::setTimeRange(double min, double max)
{
    m_settingRange = true;
    m_chart->xAxis->setRange(min, max);
    m_settingRange = false;
    onTimeRangeChanged();
}

void TFormGraph::setValueRange(double min, double max)
{
    // An empty or reversed range (a chart without points) leaves the axis.
    if (min < max) {
        m_chart->yAxis->setRange(min, max);
        scheduleReplot();
    }
}

void TFormGraph::onTimeRangeChanged()
{
    if (!m_settingRange) {
        // The operator zoomed with the mouse.
        m_autoX = false;
        uncheckSteps();
    }
    refillChart();
    updateScrollBar();
    updateStatus();
    scheduleReplot();
}

void TFormGraph::refillChart()
{
    const QCPRange range = m_chart->xAxis->range();
    const int columns = std::max(1, m_chart->axisRect()->width());
    const std::vector<TSeriesPoint> points = m_series.Reduce(range.lower * 1000, range.upper * 1000, columns);
    QVector<double> keys(qsizetype(points.size())), values(qsizetype(points.size()));
    for (size_t i = 0; i < points.size(); ++i) {
        keys[qsizetype(i)] = KeyOfStamp(points[i].Stamp);
        values[qsizetype(i)] = points[i].Value;
    }
    m_line->setData(keys, values, true);
    if (m_showPoints)
        m_markers->setData(keys, values, true);
    else
        m_markers->data()->clear();
}

void TFormGraph::scheduleReplot()
{
    if (!m_replot->isActive())
        m_replot->start();
}

void TFormGraph::ReplotNow()
{
    m_replot->stop();
    m_chart->replot();
}

void TFormGraph::applyStep(int index)
{
    const TTimeStep &step = StepOf(index);
    m_stepIndex = index;
    m_autoX = false;
    const double max = TimeMax();
    setTimeRange(max - step.Seconds, max);
    for (const TTimeStep &s : TimeSteps())
        Action(QLatin1String(s.Action))->setChecked(&s == &step);
}

void TFormGraph::uncheckSteps()
{
    for (const TTimeStep &s : TimeSteps())
        Action(QLatin1String(s.Action))->setChecked(false);
}

void TFormGraph::undoZoom()
{
    showAllX();
    const TDescriptionOfDouble &d = m_value.Description;
    setValueRange(d.Min(), d.Max());
    uncheckSteps();
}

void TFormGraph::zoom(double percent)
{
    m_autoX = false;
    m_settingRange = true;
    m_chart->xAxis->scaleRange(100 / percent);
    m_settingRange = false;
    m_chart->yAxis->scaleRange(100 / percent);
    uncheckSteps();
    onTimeRangeChanged();
}

void TFormGraph::showAllX()
{
    m_autoX = true;
    if (!m_series.Empty())
        setTimeRange(KeyOfStamp(m_series.FirstStamp()), KeyOfStamp(m_series.LastStamp()));
    else
        updateScrollBar();
}

void TFormGraph::showAllY()
{
    double min, max;
    if (m_series.ValueRange(TimeMin() * 1000, TimeMax() * 1000, min, max))
        setValueRange(min, max);
}

void TFormGraph::showAll()
{
    showAllX();
    double min, max;
    if (m_series.ValueRange(double(m_series.FirstStamp()), double(m_series.LastStamp()), min, max))
        setValueRange(min, max);
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

void TFormGraph::updateScrollBar()
{
    m_settingScroll = true;
    const int position = m_series.Empty() ? -1
                                          : ScrollPosition(KeyOfStamp(m_series.FirstStamp()),
                                                           KeyOfStamp(m_series.LastStamp()), TimeMax());
    m_scroll->setEnabled(!m_autoX);
    if (!m_autoX && position >= 0)
        m_scroll->setValue(position);
    m_settingScroll = false;
}

void TFormGraph::onScrollMoved(int position)
{
    if (m_settingScroll)
        return;
    scrollTo(position);
}

void TFormGraph::scrollTo(int position)
{
    if (m_series.Empty())
        return;
    const double max =
        AxisMaxAt(KeyOfStamp(m_series.FirstStamp()), KeyOfStamp(m_series.LastStamp()), position);
    const double width = TimeMax() - TimeMin();
    m_autoX = false;
    setTimeRange(max - width, max);
}

void TFormGraph::updateStatus()
{
    const QString c = QStringLiteral("c ");
    QString range = QStringLiteral("Диапазон ") + c + DateTimeText(DateTimeToQDateTime(m_rangeDT.Start()));
    if (m_archive)
        range += QStringLiteral(" по ") + DateTimeText(DateTimeToQDateTime(m_rangeDT.Stop()));
    m_panels[0]->setText(range);
    m_panels[1]->setText(c + DateTimeText(DateTimeOfKey(TimeMin())) + QStringLiteral(" по ") +
                         DateTimeText(DateTimeOfKey(TimeMax())));
    m_panels[2]->setText(GraphValueText(ValueMax() - ValueMin(), m_value.Description) + QLatin1Char(' ') +
                         m_value.Description.Dimension);
}

void TFormGraph::showPointUnderMouse(QMouseEvent *event)
{
    const QPointF at = event->position();
    if (!m_chart->axisRect()->rect().contains(at.toPoint()))
        return;
    const double key = m_chart->xAxis->pixelToCoord(at.x());
    const double value = m_chart->yAxis->pixelToCoord(at.y());
    const TDescriptionOfDouble &d = m_value.Description;
    const QString number = d.Digits == 255
                               ? QString::number(value)
                               : FloatToStrF(value, TDescriptionOfDouble::ffFixed, d.Precision, d.Digits) +
                                     QStringLiteral(", ") + d.Dimension;
    m_panels[4]->setText(DateTimeText(DateTimeOfKey(key)) + QLatin1Char(' ') + d.Title + QLatin1Char(' ') + number);
}

void TFormGraph::keyPressEvent(QKeyEvent *event)
{
    const auto scrollValues = [this](double share) {
        const double step = (ValueMax() - ValueMin()) * share;
        setValueRange(ValueMin() + step, ValueMax() + step);
    };
    const auto scrollTime = [this](double share) {
        const double step = (TimeMax() - TimeMin()) * share;
        m_autoX = false;
        setTimeRange(TimeMin() + step, TimeMax() + step);
    };
    switch (event->key()) {
    case Qt::Key_Space: undoZoom(); return;
    case Qt::Key_Plus: zoom(110); return;
    case Qt::Key_Minus: zoom(90); return;
    case Qt::Key_PageUp: scrollValues(0.1); break;
    case Qt::Key_PageDown: scrollValues(-0.1); break;
    case Qt::Key_Up: scrollValues(0.01); break;
    case Qt::Key_Down: scrollValues(-0.01); break;
    case Qt::Key_Left: scrollTime(-0.01); break;
    case Qt::Key_Right: scrollTime(0.01); break;
    case Qt::Key_Home: scrollTo(0); break;
    case Qt::Key_End: scrollTo(100); break;
    default: TSingleWindow::keyPressEvent(event); return;
    }
    m_chart->setFocus();
    updateStatus();
    updateScrollBar();
}
