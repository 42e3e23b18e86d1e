#pragma once
// "Параметры ТОЛМ47xИ ": the engineering view of the gauge's configuration.
// Three tabs on the left: "Общие" (identity, tank, smoothing), and in full
// mode "Специальные" (material, the processing algorithms with their
// parameters and mode buttons, the bad zones) and "Заводские" (the factory
// algorithms and parameters, the calibration table, the device version).
// The groups of the extended parameter set show only for a gauge that has
// it.
//
// The window owns no protocol: every change and write is an action of the
// main window, executed by name; the main window refreshes every window
// after each. While polling runs the values cannot be changed or written.

#include "ui/main/main_services.h"
#include "ui/windows/algorithm_boxes.h"
#include "ui/windows/parameter_rows.h"
#include "ui/windows/single_window.h"

#include <QList>

class QButtonGroup;
class QGroupBox;
class QRadioButton;
class QScrollArea;
class QTabWidget;
class QToolButton;
class QVBoxLayout;
class TBadZoneGrid;
class TCalibrationTable;
class Ttolm472;

class TFormTolmPar final : public TSingleWindow, public TView
{
    Q_OBJECT

public:
    enum TTab { General, Special, Factory };

    // Restores the window's position and fills the calibration table.
    TFormTolmPar(Ttolm472 &model, TMainServices &services, QWidget *parent = nullptr);

    // Creates the window when none is open, shows it and brings it forward;
    // 0, or -1 when it could not be made.
    static int ShowTolmPar(Ttolm472 &model, TMainServices &services) { return ShowSingle<TFormTolmPar>(model, services); }
    // The open window; none while it is closed.
    static TFormTolmPar *Instance() { return TSingleWindow::Instance<TFormTolmPar>(); }

    void UpdateView() override;
    // Brings the tab forward when it is shown.
    void SelectTab(TTab tab);

    QTabWidget *Tabs() const { return m_tabs; }
    const TParameterRows &Rows() const { return m_rows; }
    TBadZoneGrid *BadZoneGrid() const { return m_zoneGrid; }
    TCalibrationTable *Calibration() const { return m_calibration; }
    QCheckBox *AlgorithmBox(TAlgorithmBox which) const { return m_boxes.Box(which); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildGeneral();
    QWidget *buildSpecial();
    QWidget *buildFactory();
    QGroupBox *rowsGroup(const QString &title, TParameterPlace place, QWidget *parent);
    // A group titled by an algorithm's check box.
    QGroupBox *algorithmGroup(TAlgorithmBox title, QWidget *parent, QVBoxLayout *&layout);
    QGroupBox *badZonesGroup(QWidget *parent);
    QGroupBox *versionGroup(QWidget *parent);
    QWidget *modeButtons(const char *first, const QString &firstText, const char *firstAction, const char *second,
                         QWidget *parent);
    QScrollArea *page(QWidget *content);
    void showExtendedGroups(bool extended);
    void showVersion();
    void showPrediction();

    Ttolm472 &m_model;
    TMainServices &m_services;
    TParameterRows m_rows;
    TAlgorithmBoxes m_boxes;

    QTabWidget *m_tabs = nullptr;
    QWidget *m_general = nullptr;
    QWidget *m_special = nullptr;
    QList<QWidget *> m_extendedGroups; // "Специальные" and "Алгоритмы"
    QList<QWidget *> m_modeButtons;
    QList<QRadioButton *> m_prediction;
    QToolButton *m_badZonesWrite = nullptr;
    QToolButton *m_editZone = nullptr;
    TBadZoneGrid *m_zoneGrid = nullptr;
    TCalibrationTable *m_calibration = nullptr;
    QGroupBox *m_version = nullptr;
    QButtonGroup *m_versionItems = nullptr;
};
