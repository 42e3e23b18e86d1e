#pragma once
// The page of a test run, "Прогон ТОЛМ472И", and the protocol a factory
// keeps of every gauge it ships: that page as PDF and the table as CSV,
// written without asking into the archive's folder of the day the run
// stopped.

#include "ui/report/chart_report.h"

#include <QDateTime>
#include <QList>
#include <QPointF>

class TErrorChart;
class Ttolm472;

// The points of the error chart: the level error over the expected level.
QList<QPointF> TestRunChartPoints(const Ttolm472 &model);

// The report page with `chart` as the window shows it.
TChartReport TestRunReport(const Ttolm472 &model, const TErrorChart &chart);

struct TTestRunProtocol {
    QString Pdf;
    QString Csv;
};

// Writes both files of the run stopped at `stopped` below the archive root
// `dbPath`; the paths written. False with a one-line Russian `error` when
// either could not be written (what could be is kept).
bool WriteTestRunProtocol(const Ttolm472 &model, const QString &dbPath, const QDateTime &stopped,
                          TTestRunProtocol &files, QString &error);
