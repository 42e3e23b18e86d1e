#pragma once
// "Показания ТОЛМ47xИ": the live view of the gauge's readings. The level as
// a bar and as numbers, the other readings as numbers, the gauge's last
// status, and small graph icons that open the time graphs through the main
// window's actions.
//
// The numbers follow every accepted answer by themselves: the window's
// visual values are listeners of the model's values. UpdateView re-applies
// descriptions, the bar's scale, the status colours and the full-mode rows.

#include "ui/main/main_services.h"
#include "ui/windows/single_window.h"
#include "ui/widgets/io_double_visual.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class TVHistogram;
class Ttolm472;

class TFormTolm472I final : public TSingleWindow, public TView
{
    Q_OBJECT

public:
    // Restores the window's position and links its visual values to the
    // model's readings. The graph icons execute the main window's graph
    // actions by name.
    TFormTolm472I(Ttolm472 &model, TMainServices &services, QWidget *parent = nullptr);
    ~TFormTolm472I() override;

    // Creates the window when none is open, shows it and brings it forward;
    // 0, or -1 when it could not be made.
    static int ShowTolm472I(Ttolm472 &model, TMainServices &services) { return ShowSingle<TFormTolm472I>(model, services); }
    // The open window; none while it is closed.
    static TFormTolm472I *Instance() { return TSingleWindow::Instance<TFormTolm472I>(); }

    void UpdateView() override;

    // Background of the box "Показания" for the gauge's status: the normal
    // face colour for 0, yellow for the non-critical 10 to 12, red for any
    // other.
    static QColor ReadingsColor(int lastErrorCode);

protected:
    void showEvent(QShowEvent *event) override;
    void Closing() override;

private:
    struct TRow {
        QLabel *title;
        QLabel *value;
        QWidget *icon; // none for a row without a graph
    };
    void buildLayout();
    TRow addRow(const char *name, const QString &title, const char *iconName = nullptr,
                const QString &iconHint = QString(), const QString &action = QString());
    void copyDescriptions();
    void fitMinimumSize();
    std::array<TIODoubleVisual *, 7> visuals();

    Ttolm472 &m_model;
    TMainServices &m_services;

    TVHistogram *m_vhLevel = nullptr;
    QLabel *m_stxLevel = nullptr;
    QGroupBox *m_readings = nullptr;
    QLabel *m_lblDistance = nullptr;
    QLabel *m_lblLevelFree = nullptr;
    QLabel *m_lblLevel = nullptr;
    QLabel *m_lblTemp = nullptr;
    QLabel *m_lblReserve = nullptr;
    QLabel *m_lblCurrentOutput = nullptr;
    QList<QWidget *> m_fullModeOnly;
    QLabel *m_lblErrorByte = nullptr;
    QLabel *m_lblErrorMessage = nullptr;

    TIODoubleVHistogram m_barLevel;
    TIODoubleStaticText m_textLevel;
    TIODoubleLabel m_level;
    TIODoubleLabel m_reserve;
    TIODoubleLabel m_levelFree;
    TIODoubleLabel m_distance;
    TIODoubleLabel m_temp;
};
