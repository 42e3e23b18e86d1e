#pragma once
// The actions of a tool window's menus and tool bar: each with the name
// tests and the operator's shortcuts know it by, its caption, and its hint
// shown as the tool tip and in the status bar; and the two report actions
// every chart window has.

#include "ui/report/chart_report.h"

#include <functional>

class QAction;
class QObject;
class QString;
class QWidget;

QAction *WindowAction(const char *name, const QString &caption, const QString &hint, QObject *parent);

// `preview` ("График") shows the page `report` makes in print preview,
// `pdf` ("Сохранить в PDF") asks for a file and writes the page there. A
// failure while the page is drawn leaves the window as it was.
void ConnectReportActions(QWidget &window, QAction &preview, QAction &pdf, std::function<TChartReport()> report);
