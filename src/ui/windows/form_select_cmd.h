#pragma once
// "Команды ТОЛМ47xИ": what a polling pass asks. Each command box puts its
// gauge command into the poll set or takes it out; "Токовый выход" switches
// the polling of the current-loop meter (device list entry 1). The poll set
// lives as long as the program; closing the window leaves it as it is.
//
// A box changed from code reacts exactly as a click does, once, and only
// when its state really changes, so the main window's start-up defaults
// ("Все параметры" ticked, "Токовый выход" per the switches) go through the
// same rules as the operator's clicks.

#include "ui/main/main_services.h"
#include "ui/windows/single_window.h"

#include <QWidget>

class QCheckBox;
class TRequestCycle;

class TFormSelectCMD final : public TSingleWindow, public TView
{
    Q_OBJECT

public:
    // Restores the window's position and ticks "Все параметры".
    explicit TFormSelectCMD(TRequestCycle &cycle, QWidget *parent = nullptr);

    // Creates the window when none is open, shows it and brings it forward;
    // 0, or -1 when it could not be made.
    static int ShowSelectCmd(TRequestCycle &cycle) { return ShowSingle<TFormSelectCMD>(cycle); }
    // The open window; none while it is closed.
    static TFormSelectCMD *Instance() { return TSingleWindow::Instance<TFormSelectCMD>(); }

    // "Резерв", "Усиление" and "Токовый выход" are shown exactly in full mode.
    void UpdateView() override;

    QCheckBox *const chbEcho;
    QCheckBox *const chbLevel;
    QCheckBox *const chbLevelAll;
    QCheckBox *const chbLevelFree;
    QCheckBox *const chbDistance;
    QCheckBox *const chbTemp;
    QCheckBox *const chbReserve;
    QCheckBox *const chbUsil;
    QCheckBox *const chbCurrentOutput;
    QCheckBox *const chbSelectAll;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void bindCommand(QCheckBox *box, int code);
    void chbCurrentOutputClick(bool checked);
    void chbSelectAllClick(bool checked);

    TRequestCycle &m_cycle;
};
