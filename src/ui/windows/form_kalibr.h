#pragma once
// "Калибровка": the fine tuning of the conversion characteristic at the
// factory. The gauge reports free space as KrPer * x + SmPer; the
// calibration table of the parameters window holds the reference distances
// and what the gauge measured there, and "Вычислить" there kept the
// coefficients of that measurement as the reference ones. This window draws
// the error each point would have with the coefficients in force, and lets
// the engineer nudge the base (SmPer, 0.1 mm a step) and the slope (KrPer,
// 0.001 a step) with buttons that repeat while held, until the errors are
// acceptable; then one button writes both to the gauge. It also prints the
// calibration record of the gauge.
//
// Nothing here talks to the gauge: the links and the write are the main
// window's actions, executed by name. A step changes the model only; this
// window and the parameters window show it at once.

#include "ui/main/main_services.h"
#include "ui/report/chart_report.h"
#include "ui/windows/single_window.h"

class QAction;
class QLabel;
class QPushButton;
class TErrorChart;
class TStepRepeat;
class Ttolm472;
class TGaugeConfiguration;

class TFormKalibr final : public TSingleWindow, public TView
{
    Q_OBJECT

public:
    QAction *const actPointsTrue;    // "Точки показать"
    QAction *const actPointsFalse;   // "Точки скрыть"
    QAction *const actRefresh;       // "Обновить"
    QAction *const actReportPreview; // "График"
    QAction *const actReportPdf;     // "Сохранить в PDF"
    QAction *const actClose;         // "Закрыть окно"
    QAction *const actSave;          // "Записать Базу и Крутизну"

    // Restores the window's position and draws the points once.
    TFormKalibr(Ttolm472 &model, TMainServices &services, QWidget *parent = nullptr);

    // Creates the window when none is open, shows it, brings it forward and
    // refreshes it; 0, or -1 when it could not be made.
    static int ShowKalibr(Ttolm472 &model, TMainServices &services);
    // The open window; none while it is closed.
    static TFormKalibr *Instance() { return TSingleWindow::Instance<TFormKalibr>(); }

    // The errors of the points with the coefficients in force, and the
    // coefficients.
    void UpdateView() override;

    // The calibration record: the gauge, its coefficients, the chart as
    // shown and the points from the farthest to the nearest.
    TChartReport Report() const;

    TErrorChart *Chart() const { return m_chart; }
    TStepRepeat &Repeat() const { return *m_repeat; }
    // The first panel of the status bar ("Точка на графике").
    QString Readout() const;

private:
    QWidget *buildCoefficients();
    // Nudges the model and shows it here and in the parameters window.
    void step(void (TGaugeConfiguration::*set)(double), double (TGaugeConfiguration::*get)() const, double by);
    void change(const QString &action);
    void showEverywhere();

    Ttolm472 &m_model;
    TMainServices &m_services;
    TStepRepeat *m_repeat;
    TErrorChart *m_chart = nullptr;
    QLabel *m_smPer = nullptr;
    QLabel *m_krPer = nullptr;
    QLabel *m_readout = nullptr;
};
