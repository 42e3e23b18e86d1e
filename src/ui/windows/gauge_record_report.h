#pragma once
// The printed record of what was done to one gauge on the bench, the page
// of the calibration and of the test run: the gauge's plant number, its
// hardware and program versions, the coefficients in force, the error chart
// as the window shows it and the table of its points.

#include "ui/report/chart_report.h"

class TErrorChart;
class Ttolm472;

// `extra` comes after the versions and before the coefficients.
TChartReport GaugeRecordReport(const Ttolm472 &model, const QString &title, const TErrorChart &chart,
                               const QList<TReportField> &extra, TReportTable table);

// A table cell: grouped, with `decimals` decimals.
QString ReportNumber(double value, int decimals);
