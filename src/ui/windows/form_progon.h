#pragma once
// "Прогон": the acceptance test of a finished gauge on the bench. A target
// is put at five positions read off a tape measure; at each the engineer
// presses "Установить" and the level the gauge reports and the current its
// loop gives are captured into the model's test-run table and compared
// with what the tape says. The grid marks the point the level is in (bold,
// green within 2 mm, yellow within 10 mm) and a current error above
// 0.026 mA in red; the chart shows the level errors.
//
// The window is thin: the gauge is prepared and restored by the main
// window's commands ("actProgonStart", "actProgonStop"), the identifiers
// are changed by its text actions. When a run with all its points stops,
// the protocol (page and table) goes into the archive's folder of the day
// without asking, and the status bar says where.

#include "ui/main/main_services.h"
#include "ui/windows/single_window.h"
#include "values/io_data.h"

#include <QDateTime>

class QAction;
class QLabel;
class QPushButton;
class QTableWidget;
class TErrorChart;
class TValueLink;
class Ttolm472;
struct TChartReport;

class TFormProgon final : public TSingleWindow, public TView
{
    Q_OBJECT

public:
    // dbPath: the archive root, below which the protocols are kept.
    TFormProgon(Ttolm472 &model, TMainServices &services, const QString &dbPath, QWidget *parent = nullptr);

    static int ShowProgon(Ttolm472 &model, TMainServices &services, const QString &dbPath)
    {
        return ShowSingle<TFormProgon>(model, services, dbPath);
    }
    static TFormProgon *Instance() { return TSingleWindow::Instance<TFormProgon>(); }

    // Re-plots, repaints the grid's marks for the present level (its numbers
    // stay as last filled), the caption of "Установить" and the identifiers.
    // The caption and the marks also follow every new reading by themselves.
    void UpdateView() override;

    // "Установить": captures the point whose gate holds the present level.
    void Capture();
    TChartReport Report() const;

    QAction *const actProgonStart;        // "Прогон начать"
    QAction *const actProgonStop;         // "Прогон остановить"
    QAction *const actCreateTable;        // "Создать шаблон прогона"
    QAction *const actRuletkaChange;      // "Изменить значение рулетки"
    QAction *const actProgonOffsetChange; // "Изменить ширину \"ворот\""
    QAction *const actReportPreview;      // "График"
    QAction *const actReportPdf;          // "Сохранить в PDF"
    QAction *const actClose;              // "Закрыть окно"

    QTableWidget *Grid() const { return m_grid; }
    QPushButton *SetButton() const { return m_set; }
    TErrorChart *Chart() const { return m_chart; }
    // The status bar's note: where the protocol went, or why it did not.
    QString Note() const;

private:
    void buildLayout();
    void showLive();
    void fillGrid();
    void paintGrid();
    void runCommand(const QString &action, bool stopping);
    void changeTape();
    void changeGate();
    void writeProtocol();

    Ttolm472 &m_model;
    TMainServices &m_services;
    const QString m_dbPath;

    QTableWidget *m_grid = nullptr;
    QPushButton *m_set = nullptr;
    TErrorChart *m_chart = nullptr;
    TValueLink *m_ppm = nullptr;
    TValueLink *m_nnz = nullptr;
    QLabel *m_readout = nullptr;
    QLabel *m_note = nullptr;
    // Followers of the model's level, free space and loop current: the
    // caption of "Установить" and the marks of the grid move with them.
    TIODouble m_level, m_levelFree, m_current;
    // The newest capture of the run whose protocol was written.
    QDateTime m_protocolOf;
};
