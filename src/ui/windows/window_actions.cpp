#include "ui/windows/window_actions.h"

#include "ui/report/chart_report.h"

#include <QAction>
#include <QWidget>

QAction *WindowAction(const char *name, const QString &caption, const QString &hint, QObject *parent)
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

void BindReportActions(QWidget *window, QAction *preview, QAction *pdf, std::function<TChartReport()> report)
{
    QObject::connect(preview, &QAction::triggered, window, [window, report] {
        try {
            ShowChartReport(window, report());
        } catch (...) {
        }
    });
    QObject::connect(pdf, &QAction::triggered, window, [report] { SaveChartReportPdfAs(report()); });
}
