#pragma once
// TFormMain, "ТОЛМ47xИ": the program's main window. It shows only a menu bar
// and a tool bar; every operator command is one of its actions, and the
// other windows (readings, communication, poll selection, ...) reach the
// gauge only by executing these actions by name. It opens those windows at
// start and refreshes them after every command.
//
// Its parts live in their own files: the actions built from the tables
// (form_main_actions.cpp), the menus and tool bar (form_main_menus.cpp),
// polling and array capture (form_main_polling.cpp), the tool windows
// (form_main_windows.cpp) and the application-wide keys
// (form_main_shortcuts.*).
//
// User-interface thread only.

#include "session/array_read.h"
#include "ui/main/main_services.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class TActionDispatcher;
class TCustomTimer;
class TMainShortcuts;
class TProgram;
class TTransmitter;
struct TProcedureContext;
struct TParameter;
struct TSingleRead;
struct TTextChange;

class TFormMain final : public QMainWindow, public TMainServices
{
    Q_OBJECT

public:
    // Builds the actions, menus and tool bar, then, in this order: restores
    // the window position, resets the capture counters, selects "Hex",
    // applies the mode visibility, installs the application-wide keys,
    // stops polling and signal capture, opens the readings, communication
    // and poll-selection windows, applies the default poll selection and
    // the value ranges.
    explicit TFormMain(TProgram &program, QWidget *parent = nullptr);
    ~TFormMain() override;

    // --- TMainServices ---------------------------------------------------------
    bool ExecuteAction(const QString &name) override;
    // The commands run on the procedure runner: the next action starts once
    // the runner is idle again.
    void ExecuteInTurn(const QStringList &names, std::function<void()> after = {}) override;
    bool ActionEnabled(const QString &name) const override;
    // UpdateView of each open window: poll selection, readings, parameters,
    // communication, calibration, test run.
    void UpdateAllViews() override;
    // Full-mode and extended actions shown or hidden, then the default poll
    // selection.
    void ApplyModeVisibility() override;
    // Level and free space 0..Lmax, distance 0..Hmax (minimum first).
    void ApplyValueRanges() override;
    void ShowParametersWindow(bool factoryTab) override;
    // Executes "Спектр" or "Сигнал".
    void ShowCapturedArray(TCapturedArray array) override;
    bool StopPolling() override;
    void StartPolling() override;
    QByteArray CalibrationPagePdf() override;

    // --- Commands ----------------------------------------------------------------
    // With the poll-selection window open: "Все параметры" ticked,
    // "Токовый выход" ticked exactly in full mode with "/lumidor".
    void ApplyDefaultPollSelection();
    // The long operations follow "Начать опрос": disabled while polling runs
    // and while a procedure runs.
    void ApplyPollingLock();

    // --- Polling and capture -------------------------------------------------------
    void OnPollTimer();
    // Pauses polling and the capture timer, reads the signal and the
    // spectrum, then lets both run on as they were.
    void OnCaptureTimer();
    // Reads the signal, then the spectrum, on the procedure runner, also
    // while polling locks their commands; `after` runs in this thread when
    // both are done. False, and nothing is read, while a procedure runs.
    bool CaptureSignalAndSpectrum(std::function<void()> after = {});

    TActionDispatcher &Actions() const { return *m_actions; }
    TCustomTimer &CaptureTimer() const { return *m_captureTimer; }
    const TCaptureCounters &CaptureCounters() const { return m_counters; }

    // The port setup of "СОМ порт": changes the port name and the line
    // settings of the transmitter; false when cancelled. Tests replace it.
    std::function<bool(TTransmitter &)> PortSetupDialog;

    // The letters of the two hidden chords, Ctrl held: full mode on and
    // off, and the extended parameters on and off (sets full mode).
    static constexpr Qt::Key FullModeChordKey = Qt::Key_J;
    static constexpr Qt::Key ExtendedChordKey = Qt::Key_G;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void formCreate();
    // Runs a command that talks to the gauge on the procedure runner, with
    // the operator in use and this window's views reached through the
    // hand-over, then `after` here (when this window still exists). False
    // while another procedure runs.
    bool startProcedure(std::function<void(const TProcedureContext &)> procedure, std::function<void()> after = {});

    // form_main_actions.cpp
    void createActions();
    void addParameterActions(const TParameter &parameter);
    void addSingleRead(const TSingleRead &row);
    void runChange(const TParameter &parameter);
    void runTextChange(const TTextChange &row);
    void changePort();
    void setLogRadix(int radix);
    void showAbout();

    // form_main_menus.cpp
    void createMenus();
    // After a change of the shown actions.
    void tidyToolBarSeparators();

    // form_main_polling.cpp
    void addPollingActions();
    void startPolling();
    void stopPolling();
    void changePollPeriod();
    void startCapture();
    void stopCapture();
    void changeCapturePeriod();
    void showPollingState();
    void showCaptureState();
    bool readArrays(std::vector<TCapturedArray> arrays, std::function<void()> after);
    // While a procedure runs only the windows, polling and the log's radix
    // stay usable.
    void applyBusyLock(bool busy);
    // The next action of ExecuteInTurn while the runner is idle.
    void continueInTurn();

    // form_main_windows.cpp
    void addWindowActions();
    // "Поиск приборов на линии": the scan on the runner, then the gauges
    // found into the gauges of the line and their window.
    void scanLine();
    void openStartWindows();
    void closeToolWindows();
    void deleteToolWindows();
    QList<TView *> openViews();

    // The hidden chords.
    void toggleFullMode();
    void toggleExtendedParameters();

    TProgram &m_program;
    TActionDispatcher *m_actions = nullptr;
    TCustomTimer *m_captureTimer = nullptr;
    TMainShortcuts *m_shortcuts = nullptr;
    // Changed by the array reads on the runner; read here between them.
    TCaptureCounters m_counters;
    // "Завершить работу?" was answered Yes: the window closes once the
    // command that runs has ended.
    bool m_closeConfirmed = false;
    // What ExecuteInTurn has still to run.
    QStringList m_inTurn;
    std::function<void()> m_afterTurn;
};
