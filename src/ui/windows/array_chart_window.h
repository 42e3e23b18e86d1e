#pragma once
// The common part of the two windows that draw an array read from the
// gauge, "Спектр" and "Сигнал": one line series on a chart without legend
// or title, the menus "Точки", "Отчеты" and "Окно" with a tool bar of the
// same actions, and a status bar whose first panel reads the chart under
// the mouse. The window never talks to the gauge; the main window refills
// it after every read of its array.
//
// The chart on screen and the chart of the printed report are drawn by the
// same DrawChart from the window's points, so the page shows what the
// window shows.

#include "ui/report/chart_report.h"
#include "ui/windows/single_window.h"

#include <QList>
#include <QPointF>

class QAction;
class QCustomPlot;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class Ttolm472;

class TArrayChartWindow : public TSingleWindow
{
    Q_OBJECT

public:
    QAction *const actPointsTrue;    // "Точки показать"
    QAction *const actPointsFalse;   // "Точки скрыть"
    QAction *const actClose;         // "Закрыть окно"
    QAction *const actReportPreview; // "График"
    QAction *const actReportPdf;     // "Сохранить в PDF"
    QAction *const actReportCsv;     // "Сохранить данные (CSV)"

    QCustomPlot *Chart() const { return m_chart; }
    const QList<QPointF> &Points() const { return m_points; }
    bool PointsShown() const { return m_pointsShown; }
    // The first panel of the status bar.
    QString Readout() const;
    // The status bar's passing message (empty when none is shown).
    QString StatusMessage() const;

    // The report page of the chart.
    TChartReport Report() const;
    // Draws the axes and the series from the window's points onto `chart`,
    // the window's own or the report's; the value axis fits what is drawn.
    void DrawChart(QCustomPlot &chart) const;

    // The readout of the axis values x and y.
    virtual QString ReadoutText(double x, double y) const = 0;

protected:
    // The fixed bottom axis 0..Max with a label every Step; the value axis
    // is automatic, its labels at least Step apart when Step is not 0.
    struct TAxisSteps {
        double BottomMax;
        double BottomStep;
        double ValueStep;
    };
    TArrayChartWindow(QWidget *&openSlot, const QString &name, const QString &caption, const Ttolm472 &model,
                      TAxisSteps axes, QWidget *parent);

    // What a window draws besides its series, before the value axis is
    // fitted (the spectrum's reference, bad zones and distance axis).
    virtual void DrawExtras(QCustomPlot &) const {}

    // Replaces the points and redraws.
    void SetPoints(QList<QPointF> points);
    // Redraws the window's chart from its state.
    void Redraw();
    // A menu of the window's own after "Отчеты".
    QMenu *AddMenu(const QString &title);
    QToolBar *ToolBar() const { return m_toolBar; }
    // The second panel of the status bar (empty: nothing to add).
    void SetNote(const QString &text);
    // A message in the status bar for a few seconds, over its panels: what
    // a command of the window did.
    void ShowStatus(const QString &text);
    virtual QString ReportTitle() const { return windowTitle(); }

    const Ttolm472 &m_model;

private:
    void buildLayout();
    void showPoints(bool shown);
    void chartMouseMove(const QPointF &position);

    const TAxisSteps m_axes;
    QList<QPointF> m_points;
    bool m_pointsShown = false;

    QMenuBar *m_menuBar = nullptr;
    QMenu *m_windowMenu = nullptr;
    QToolBar *m_toolBar = nullptr;
    QCustomPlot *m_chart = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_readout = nullptr;
    QLabel *m_note = nullptr;
};
