#pragma once
// "Спектр": the gauge's spectrum of 512 lines as the main window last read
// it, on a decibel scale relative to its largest value (0 dB), with the
// distance of each line in the readout: "Спектр[" line "/" distance
// "] = " level.
//
// For the engineer at a tank it also shows the gauge's bad zones as bands
// at their distances, a top axis in mm, and the reference spectrum in grey:
// "Запомнить как эталон" keeps the present spectrum (in the window and as a
// file in the archive's folder of the day), and every later spectrum is
// drawn over it, so what a repair changed shows at once. The newest
// reference file under the archive root is loaded when the window opens,
// so the reference outlives the program.

#include "archive/spectrum_reference.h"
#include "ui/main/main_services.h"
#include "ui/windows/array_chart_window.h"

#include <optional>

class TFormSpectrum final : public TArrayChartWindow, public TView
{
    Q_OBJECT

public:
    // dbPath: the archive root, where the reference files are kept.
    // Restores the window's position, loads the newest reference and
    // draws the spectrum once.
    TFormSpectrum(const Ttolm472 &model, const QString &dbPath, QWidget *parent = nullptr);

    // Creates the window when none is open, shows it and brings it forward;
    // 0, or -1 when it could not be made.
    static int ShowSpectrum(const Ttolm472 &model, const QString &dbPath)
    {
        return ShowSingle<TFormSpectrum>(model, dbPath);
    }
    // The open window; none while it is closed.
    static TFormSpectrum *Instance() { return TSingleWindow::Instance<TFormSpectrum>(); }

    // Rebuilds the series from the model's spectrum; empty while its
    // largest value is 0 (as after the array was cleared).
    void FillSpectrum();
    // The bands and the distance axis follow the model's present zones and
    // KrPer; the series stays as last filled.
    void UpdateView() override { Redraw(); }
    QString ReadoutText(double x, double y) const override;

    QAction *const actReferenceSave; // "Запомнить как эталон"
    QAction *const actReferenceShow; // "Показать эталон", checked while a reference is drawn

    const std::optional<TSpectrumReference> &Reference() const { return m_reference; }

protected:
    void DrawExtras(QCustomPlot &chart) const override;

private:
    void loadNewestReference();
    void actReferenceSaveExecute();
    void showReferenceNote();

    const QString m_dbPath;
    double m_shownLargest = 0; // of the spectrum last filled
    std::optional<TSpectrumReference> m_reference;
};
