#pragma once
// What the spectrum window draws besides the spectrum itself, for the
// engineer who looks for the echo: the reference spectrum in grey under
// the present one, the gauge's bad zones as shaded bands, and a second
// axis that reads the line numbers as distances from the flange.
//
// A spectrum line x lies at the distance KrPer * (2x + 1) mm, as in the
// window's readout; the bands and the distance axis use the same relation,
// so a zone's band covers the lines whose readout falls inside the zone.

#include <QList>
#include <QPointF>

#include <span>

class QCustomPlot;
class TBadZones;

// The largest of 0 and the values (0 when all are 0 or below).
double LargestOf(std::span<const double> values);

// 10 * log10(value / largest) from line 0 on; the curve ends before the
// first value of 0 or below, which has no level in dB. Empty when largest
// is not above 0.
QList<QPointF> DecibelPoints(std::span<const double> values, double largest);

// The (fractional) spectrum line of a distance in mm; KrPer above 0.
double SpectrumLineOfDistance(double distance, double krPer);

// The reference curve in grey, under every other series.
void DrawReference(QCustomPlot &chart, const QList<QPointF> &points);
// A band per zone in use (1..count) whose far border lies beyond its near
// one, numbered at the top; nothing while KrPer is not above 0.
void DrawBadZones(QCustomPlot &chart, const TBadZones &zones, int count, double krPer);
// The top axis in mm over the bottom axis's range; hidden while KrPer is
// not above 0.
void DrawDistanceAxis(QCustomPlot &chart, double krPer);
