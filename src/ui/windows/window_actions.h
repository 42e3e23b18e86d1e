#pragma once
// The actions the tool windows make for themselves: named for the tests and
// the position file, with the hint as tool tip and status tip; and the two
// report actions every chart window has.

#include <QString>

#include <functional>

class QAction;
class QObject;
class QWidget;
struct TChartReport;

QAction *WindowAction(const char *name, const QString &caption, const QString &hint, QObject *parent);

// "График" opens the print preview of the page `report` makes, "Сохранить
// в PDF" asks for a file and writes it. A failure while the page is drawn
// leaves the window as it was.
void BindReportActions(QWidget *window, QAction *preview, QAction *pdf, std::function<TChartReport()> report);
