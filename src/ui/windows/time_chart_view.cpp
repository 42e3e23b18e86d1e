// The time charts' view: axes, steps, zoom, the scroll bar and the keys.
// The chart never holds a series itself: every change of the time axis
// refills it with the reduction for its pixel width.
#include "ui/windows/time_chart_window.h"

#include "ui/windows/graph_axis.h"

#include <QAction>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>
#include <qcustomplot.h>

double TTimeChartWindow::TimeMin() const
{
    return m_chart->xAxis->range().lower;
}

double TTimeChartWindow::TimeMax() const
{
    return m_chart->xAxis->range().upper;
}

double TTimeChartWindow::ValueMin() const
{
    return m_chart->yAxis->range().lower;
}

double TTimeChartWindow::ValueMax() const
{
    return m_chart->yAxis->range().upper;
}

void TTimeChartWindow::setupTimeAxis(QCustomPlot &chart, bool oneLine)
{
    auto time = QSharedPointer<QCPAxisTickerDateTime>::create();
    time->setDateTimeFormat(oneLine ? QStringLiteral("dd.MM.yy hh:mm:ss") : QStringLiteral("dd.MM.yy\nhh:mm:ss"));
    // Keys are wall-clock stamps counted like UTC (graph_axis.h).
    time->setDateTimeSpec(Qt::UTC);
    chart.xAxis->setTicker(time);
}

void TTimeChartWindow::fillGraph(QCPGraph &graph, const TSeries &series, double fromKey, double toKey,
                                 int columns)
{
    const std::vector<TSeriesPoint> points = series.Reduce(fromKey * 1000, toKey * 1000, std::max(1, columns));
    QVector<double> keys(qsizetype(points.size())), values(qsizetype(points.size()));
    for (size_t i = 0; i < points.size(); ++i) {
        keys[qsizetype(i)] = KeyOfStamp(points[i].Stamp);
        values[qsizetype(i)] = points[i].Value;
    }
    graph.setData(keys, values, true);
}

bool TTimeChartWindow::dataExtent(double &min, double &max) const
{
    bool any = false;
    for (const TSeries *series : allSeries()) {
        if (series->Empty())
            continue;
        const double first = KeyOfStamp(series->FirstStamp()), last = KeyOfStamp(series->LastStamp());
        min = any ? std::min(min, first) : first;
        max = any ? std::max(max, last) : last;
        any = true;
    }
    return any;
}

bool TTimeChartWindow::valueExtent(const std::vector<const TSeries *> &series, double fromKey, double toKey,
                                   double &min, double &max)
{
    bool any = false;
    for (const TSeries *s : series) {
        double low, high;
        if (!s->ValueRange(fromKey * 1000, toKey * 1000, low, high))
            continue;
        min = any ? std::min(min, low) : low;
        max = any ? std::max(max, high) : high;
        any = true;
    }
    return any;
}

void TTimeChartWindow::setTimeRange(double min, double max)
{
    m_settingRange = true;
    m_chart->xAxis->setRange(min, max);
    m_settingRange = false;
    onTimeRangeChanged();
}

void TTimeChartWindow::setValueRange(double min, double max)
{
    // An empty or reversed range (a chart without points) leaves the axis.
    if (min < max) {
        m_chart->yAxis->setRange(min, max);
        scheduleReplot();
    }
}

void TTimeChartWindow::onTimeRangeChanged()
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

void TTimeChartWindow::scheduleReplot()
{
    if (!m_replot->isActive())
        m_replot->start();
}

void TTimeChartWindow::ReplotNow()
{
    m_replot->stop();
    m_chart->replot();
}

void TTimeChartWindow::applyStep(int index)
{
    const TTimeStep &step = StepOf(index);
    m_stepIndex = index;
    m_autoX = false;
    const double max = TimeMax();
    setTimeRange(max - step.Seconds, max);
    for (const TTimeStep &s : TimeSteps())
        Action(QLatin1String(s.Action))->setChecked(&s == &step);
}

void TTimeChartWindow::uncheckSteps()
{
    for (const TTimeStep &s : TimeSteps())
        Action(QLatin1String(s.Action))->setChecked(false);
}

void TTimeChartWindow::undoZoom()
{
    showAllX();
    double min, max;
    if (homeValueRange(min, max))
        setValueRange(min, max);
    uncheckSteps();
}

void TTimeChartWindow::zoom(double percent)
{
    m_autoX = false;
    m_settingRange = true;
    m_chart->xAxis->scaleRange(100 / percent);
    m_settingRange = false;
    m_chart->yAxis->scaleRange(100 / percent);
    uncheckSteps();
    onTimeRangeChanged();
}

void TTimeChartWindow::showAllX()
{
    m_autoX = true;
    double min, max;
    if (dataExtent(min, max))
        setTimeRange(min, max);
    else
        updateScrollBar();
}

void TTimeChartWindow::showAllY()
{
    double min, max;
    if (valueExtent(visibleSeries(), TimeMin(), TimeMax(), min, max))
        setValueRange(min, max);
}

void TTimeChartWindow::showAll()
{
    showAllX();
    double from, to, min, max;
    if (dataExtent(from, to) && valueExtent(allSeries(), from, to, min, max))
        setValueRange(min, max);
}

void TTimeChartWindow::updateScrollBar()
{
    m_settingScroll = true;
    double minX, maxX;
    const int position = dataExtent(minX, maxX) ? ScrollPosition(minX, maxX, TimeMax()) : -1;
    m_scroll->setEnabled(!m_autoX);
    if (!m_autoX && position >= 0)
        m_scroll->setValue(position);
    m_settingScroll = false;
}

void TTimeChartWindow::onScrollMoved(int position)
{
    if (m_settingScroll)
        return;
    scrollTo(position);
}

void TTimeChartWindow::scrollTo(int position)
{
    double minX, maxX;
    if (!dataExtent(minX, maxX))
        return;
    const double max = AxisMaxAt(minX, maxX, position);
    const double width = TimeMax() - TimeMin();
    m_autoX = false;
    setTimeRange(max - width, max);
}

void TTimeChartWindow::showLivePoint()
{
    if (m_scan) {
        scrollTo(100);
    } else if (m_autoX) {
        showAllX();
    } else {
        refillChart();
        scheduleReplot();
    }
    if (m_scan)
        followValue();
    updateStatus();
    updateScrollBar();
}

void TTimeChartWindow::onMouseMove(QMouseEvent *event)
{
    const QPointF at = event->position();
    if (!m_chart->axisRect()->rect().contains(at.toPoint()))
        return;
    showPointUnderMouse(m_chart->xAxis->pixelToCoord(at.x()), m_chart->yAxis->pixelToCoord(at.y()));
}

void TTimeChartWindow::keyPressEvent(QKeyEvent *event)
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
