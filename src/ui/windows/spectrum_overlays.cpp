#include "ui/windows/spectrum_overlays.h"

#include "device/bad_zones.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

const QString ReferenceLayer = QStringLiteral("reference");

void onChartAxes(QCPItemPosition &position, QCustomPlot &chart, double x, double yRatio)
{
    position.setAxes(chart.xAxis, chart.yAxis);
    position.setAxisRect(chart.axisRect());
    position.setTypeX(QCPItemPosition::ptPlotCoords);
    position.setTypeY(QCPItemPosition::ptAxisRectRatio);
    position.setCoords(x, yRatio);
}

} // namespace

double LargestOf(std::span<const double> values)
{
    double largest = 0;
    for (double value : values)
        largest = std::max(largest, value);
    return largest;
}

QList<QPointF> DecibelPoints(std::span<const double> values, double largest)
{
    QList<QPointF> points;
    if (!(largest > 0))
        return points;
    points.reserve(qsizetype(values.size()));
    for (size_t i = 0; i < values.size(); ++i) {
        if (!(values[i] > 0))
            break;
        points.append(QPointF(double(i), 10 * std::log10(values[i] / largest)));
    }
    return points;
}

double SpectrumLineOfDistance(double distance, double krPer)
{
    return (distance / krPer - 1) / 2;
}

void DrawReference(QCustomPlot &chart, const QList<QPointF> &points)
{
    if (!chart.layer(ReferenceLayer))
        chart.addLayer(ReferenceLayer, chart.layer(QStringLiteral("main")), QCustomPlot::limBelow);
    QCPGraph *reference = chart.addGraph(chart.xAxis, chart.yAxis);
    reference->setLayer(ReferenceLayer);
    reference->setName(QStringLiteral("Эталон"));
    reference->setPen(QPen(QColor(150, 150, 150)));
    for (const QPointF &point : points)
        reference->addData(point.x(), point.y());
}

void DrawBadZones(QCustomPlot &chart, const TBadZones &zones, int count, double krPer)
{
    if (!(krPer > 0))
        return;
    for (int number = 1; number <= std::min(count, TBadZones::Count); ++number) {
        const TBadZone &zone = zones.Zone(number);
        const double nearLine = SpectrumLineOfDistance(zone.Near.AsDouble(), krPer);
        const double farLine = SpectrumLineOfDistance(zone.Far.AsDouble(), krPer);
        if (!(farLine > nearLine))
            continue;
        auto *band = new QCPItemRect(&chart);
        band->setLayer(QStringLiteral("grid"));
        onChartAxes(*band->topLeft, chart, nearLine, 0);
        onChartAxes(*band->bottomRight, chart, farLine, 1);
        band->setPen(QPen(QColor(230, 120, 0, 140)));
        band->setBrush(QColor(255, 150, 0, 55));
        auto *label = new QCPItemText(&chart);
        label->setLayer(QStringLiteral("grid"));
        onChartAxes(*label->position, chart, (nearLine + farLine) / 2, 0);
        label->setPositionAlignment(Qt::AlignTop | Qt::AlignHCenter);
        label->setText(QString::number(number));
        label->setColor(QColor(180, 90, 0));
    }
}

void DrawDistanceAxis(QCustomPlot &chart, double krPer)
{
    QCPAxis &top = *chart.xAxis2;
    top.setVisible(krPer > 0);
    if (!(krPer > 0))
        return;
    top.setTickLabels(true);
    top.setLabel(QStringLiteral("Расстояние, мм"));
    top.setNumberFormat(QStringLiteral("f"));
    top.setNumberPrecision(0);
    const QCPRange lines = chart.xAxis->range();
    top.setRange(krPer * (2 * lines.lower + 1), krPer * (2 * lines.upper + 1));
}
