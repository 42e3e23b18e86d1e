#pragma once
// "Сигнал": the gauge's raw beat signal of 1024 samples as the main window
// last read it, with the readout "Сигнал[" sample "] = " value.

#include "ui/windows/array_chart_window.h"

class TFormSignal final : public TArrayChartWindow
{
    Q_OBJECT

public:
    // Restores the window's position and draws the signal once.
    explicit TFormSignal(const Ttolm472 &model, QWidget *parent = nullptr);

    // Creates the window when none is open, shows it and brings it forward;
    // 0, or -1 when it could not be made.
    static int ShowSignal(const Ttolm472 &model) { return ShowSingle<TFormSignal>(model); }
    // The open window; none while it is closed.
    static TFormSignal *Instance() { return TSingleWindow::Instance<TFormSignal>(); }

    // Rebuilds the series from the model's signal.
    void FillSignal();
    QString ReadoutText(double x, double y) const override;
};
