#include "ui/windows/error_chart.h"

#include "values/descriptions.h"
#include "values/float_format.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <algorithm>
#include <cmath>

namespace {

constexpr double FixedBand = 3.5;     // mm either side of zero
constexpr double DistanceStep = 2000; // mm between labels

QAction *axisAction(const char *name, const QString &caption, QObject *parent)
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(true);
    return action;
}

QString groupedReadout(double value)
{
    return FloatToStrF(value, TDescriptionOfDouble::ffNumber, 15, 0);
}

} // namespace

TErrorChart::TErrorChart(QWidget *parent)
    : QCustomPlot(parent), actAxisAuto(axisAction("actAxisAuto", QStringLiteral("Разброс автоматический"), this)),
      actAxisFixed(axisAction("actAxisFixed", QStringLiteral("Разброс -3,5 ... +3,5"), this))
{
    setObjectName(QStringLiteral("ErrorChart"));
    auto *band = new QActionGroup(this);
    band->addAction(actAxisAuto);
    band->addAction(actAxisFixed);
    actAxisFixed->setChecked(true);
    connect(band, &QActionGroup::triggered, this, [this] { redraw(); });

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        menu.addActions({actAxisAuto, actAxisFixed});
        menu.exec(mapToGlobal(at));
    });
    setMouseTracking(true);
    connect(this, &QCustomPlot::mouseMove, this, &TErrorChart::mouseMoved);
    redraw();
}

void TErrorChart::SetPoints(QList<QPointF> points)
{
    std::sort(points.begin(), points.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    m_points = std::move(points);
    // Strictly outside: an error of exactly 3.5 mm is still on the band.
    if (std::any_of(m_points.begin(), m_points.end(), [](const QPointF &p) { return std::abs(p.y()) > FixedBand; }))
        actAxisAuto->setChecked(true);
    redraw();
}

void TErrorChart::SetMarkersShown(bool shown)
{
    m_markersShown = shown;
    redraw();
}

bool TErrorChart::AxisAutomatic() const
{
    return actAxisAuto->isChecked();
}

void TErrorChart::DrawInto(QCustomPlot &chart) const
{
    // The workstation's decimal separator, and plain distances: "10000".
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart.setLocale(locale);
    chart.legend->setVisible(false);
    chart.clearGraphs();

    auto distanceTicks = QSharedPointer<QCPAxisTickerFixed>::create();
    distanceTicks->setTickStep(DistanceStep);
    distanceTicks->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    chart.xAxis->setTicker(distanceTicks);
    chart.xAxis->setNumberFormat(QStringLiteral("f"));
    chart.xAxis->setNumberPrecision(0);
    chart.yAxis->setLabel(QStringLiteral("Разброс"));

    QCPGraph *series = chart.addGraph(chart.xAxis, chart.yAxis);
    series->setPen(QPen(Qt::red));
    series->setScatterStyle(m_markersShown ? QCPScatterStyle(QCPScatterStyle::ssSquare, Qt::red, Qt::red, 3)
                                           : QCPScatterStyle(QCPScatterStyle::ssNone));
    QVector<double> distances, errors;
    for (const QPointF &point : m_points) {
        distances.append(point.x());
        errors.append(point.y());
    }
    series->setData(distances, errors, true);

    // The distances with a label's step to spare on either side.
    if (m_points.isEmpty()) {
        chart.xAxis->setRange(0, 6 * DistanceStep);
    } else {
        const double first = m_points.first().x();
        const double last = m_points.last().x();
        chart.xAxis->setRange(std::floor(first / DistanceStep - 1) * DistanceStep,
                              std::ceil(last / DistanceStep + 1) * DistanceStep);
    }
    if (!AxisAutomatic() || m_points.isEmpty()) {
        chart.yAxis->setRange(-FixedBand, FixedBand);
    } else {
        chart.yAxis->rescale();
        const QCPRange fitted = chart.yAxis->range();
        const double margin = fitted.size() > 0 ? fitted.size() * 0.1 : 1;
        chart.yAxis->setRange(fitted.lower - margin, fitted.upper + margin);
    }
}

void TErrorChart::redraw()
{
    DrawInto(*this);
    replot();
}

void TErrorChart::mouseMoved(QMouseEvent *event)
{
    const QPointF at = event->position();
    if (!axisRect()->rect().contains(at.toPoint()))
        return;
    emit readout(QStringLiteral("Сигнал[") + groupedReadout(xAxis->pixelToCoord(at.x())) + QStringLiteral("] = ") +
                 groupedReadout(yAxis->pixelToCoord(at.y())));
}
