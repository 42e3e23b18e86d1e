#pragma once
// The chart of the calibration and test-run windows: the error of each
// point (mm) over its distance (mm), one red line with small square markers
// through the points in order of distance.
//
// The error axis ("Разброс") starts fixed at -3.5..+3.5 mm, the band an
// engineer judges a gauge by; as soon as a point falls outside it the axis
// scales itself so the point is seen, and it stays so until the operator
// picks the fixed band again from the chart's context menu. The distance
// axis has a plain label every 2000 mm.
//
// The printed report draws the same chart, in the same state, through
// DrawInto.

#include <qcustomplot.h>

#include <QList>
#include <QPointF>

class QAction;

class TErrorChart final : public QCustomPlot
{
    Q_OBJECT

public:
    QAction *const actAxisAuto;  // "Разброс автоматический"
    QAction *const actAxisFixed; // "Разброс -3,5 ... +3,5"

    explicit TErrorChart(QWidget *parent = nullptr);

    // Replaces the points (any order) and redraws; widens the error axis
    // when a point lies outside the fixed band.
    void SetPoints(QList<QPointF> points);
    void SetMarkersShown(bool shown);

    const QList<QPointF> &Points() const { return m_points; }
    bool AxisAutomatic() const;
    bool MarkersShown() const { return m_markersShown; }

    // Draws the axes and the series as this chart shows them onto `chart`.
    void DrawInto(QCustomPlot &chart) const;

signals:
    // "Сигнал[x] = y" for the point under the mouse inside the plot.
    void readout(const QString &text);

private:
    void redraw();
    void mouseMoved(QMouseEvent *event);

    QList<QPointF> m_points;
    bool m_markersShown = true;
};
