#include "ui/main/form_main.h"

#include "app/app_context.h"
#include "values/clock.h"
#include "app/custom_timer.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/ui_hand_over.h"
#include "session/gauge_session.h"
#include "session/procedure_runner.h"
#include "session/procedures/parameter_set.h"
#include "session/procedures/procedure_context.h"
#include "ui/main/action_dispatcher.h"
#include "ui/main/action_tables.h"
#include "ui/main/form_main_shortcuts.h"
#include "ui/dialogs/operator.h"
#include "ui/main/program.h"
#include "ui/windows/window_pos.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>

namespace {

const QString FormName = QStringLiteral("FormMain");

} // namespace

TFormMain::TFormMain(TProgram &program, QWidget *parent)
    : QMainWindow(parent), m_program(program), m_actions(new TActionDispatcher(this))
{
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("ТОЛМ47xИ"));
    createActions();
    createMenus();
    formCreate();
}

TFormMain::~TFormMain()
{
    // A procedure still on the runner works with this window's pieces: it
    // ends first (without the user-interface thread, which it no longer gets).
    TProcedureRunner &runner = m_program.Session().Runner();
    if (runner.Busy()) {
        m_program.Session().HandOver().Close();
        runner.Wait();
    }
    runner.OnBusyChanged = nullptr;
    deleteToolWindows();
    m_program.RequestThread().OnUpdateViews = nullptr;
    m_program.RequestThread().OnStopPolling = nullptr;
}

void TFormMain::formCreate()
{
    RestoreWindowPos(*this, FormName);
    m_counters.Reset(Clock().Now());
    ExecuteAction(QStringLiteral("act16"));
    ApplyModeVisibility();
    m_shortcuts = new TMainShortcuts(*this, FullModeChordKey, ExtendedChordKey);
    connect(m_shortcuts, &TMainShortcuts::FullModeChord, this, &TFormMain::toggleFullMode);
    connect(m_shortcuts, &TMainShortcuts::ExtendedChord, this, &TFormMain::toggleExtendedParameters);

    m_program.Session().Runner().OnBusyChanged = [this](bool busy) { applyBusyLock(busy); };

    TRequestThread &thread = m_program.RequestThread();
    thread.OnUpdateViews = [this] { UpdateAllViews(); };
    thread.OnStopPolling = [this] { ExecuteAction(QStringLiteral("actOprosStop")); };
    connect(&m_program.PollingTimer(), &QTimer::timeout, this, &TFormMain::OnPollTimer);
    // The passes keep the timer's period in the request thread, so a busy
    // user-interface thread delays the windows, never the polling.
    connect(&m_program.PollingTimer(), &TCustomTimer::OnRunning, this,
            [&thread](bool running, int intervalMs) { thread.SetPacing(running ? intervalMs : 0); });
    ExecuteAction(QStringLiteral("actOprosStop"));

    m_captureTimer = new TCustomTimer(this);
    m_captureTimer->SetName(QStringLiteral("ctAvtoReadSignal"));
    m_captureTimer->Load();
    connect(m_captureTimer, &QTimer::timeout, this, &TFormMain::OnCaptureTimer);
    ExecuteAction(QStringLiteral("actOprosSignalStop"));

    openStartWindows();
    ApplyDefaultPollSelection();
    ApplyValueRanges();
}

bool TFormMain::startProcedure(std::function<void(const TProcedureContext &)> procedure, std::function<void()> after)
{
    QPointer<TFormMain> self(this);
    return m_program.Session().StartProcedure(Operator(), *this, AppContext().Flags.FullMode, std::move(procedure),
                                              [self, after = std::move(after)] {
                                                  if (self && after)
                                                      after();
                                              });
}

void TFormMain::ShowCapturedArray(TCapturedArray array)
{
    ExecuteAction(array == TCapturedArray::Spectrum ? QStringLiteral("actSpectrumShow")
                                                    : QStringLiteral("actSignalShow"));
}

bool TFormMain::ExecuteAction(const QString &name)
{
    return m_actions->Execute(name);
}

void TFormMain::ExecuteInTurn(const QStringList &names, std::function<void()> after)
{
    // A newer sequence replaces one still waiting.
    m_inTurn = names;
    m_afterTurn = std::move(after);
    continueInTurn();
}

void TFormMain::continueInTurn()
{
    while (!m_program.Session().Runner().Busy()) {
        if (m_inTurn.isEmpty()) {
            if (const std::function<void()> after = std::exchange(m_afterTurn, {}))
                after();
            return;
        }
        ExecuteAction(m_inTurn.takeFirst());
    }
}

bool TFormMain::ActionEnabled(const QString &name) const
{
    return m_actions->IsEnabled(name);
}

void TFormMain::UpdateAllViews()
{
    // A window that fails to refresh must not stop the others, nor the
    // command that asked.
    for (TView *view : openViews()) {
        try {
            view->UpdateView();
        } catch (...) {
        }
    }
}

void TFormMain::ApplyModeVisibility()
{
    const bool full = AppContext().Flags.FullMode;
    const bool extended = full && m_program.Model().Identity.HasExtendedParameters();
    for (const QString &name : FullModeActions())
        m_actions->SetVisible(name, full);
    for (const QString &name : ExtendedActions())
        m_actions->SetVisible(name, extended);
    tidyToolBarSeparators();
    ApplyDefaultPollSelection();
}

void TFormMain::ApplyValueRanges()
{
    Ttolm472 &model = m_program.Model();
    // Minimum first: the description refuses a minimum above its present
    // maximum and a maximum below its present minimum.
    const auto range = [](TIODouble &value, double max) {
        value.Description.SetMin(0);
        value.Description.SetMax(max);
    };
    range(model.Readings.Level, model.Config.Lmax());
    range(model.Readings.LevelFree, model.Config.Lmax());
    range(model.Readings.Distance, model.Config.Hmax());
}

void TFormMain::ApplyPollingLock()
{
    const bool stopped = m_actions->IsEnabled(QStringLiteral("actOprosStart"));
    const bool usable = stopped && !m_program.Session().Runner().Busy();
    for (const QString &name : PollingLockedActions())
        m_actions->SetEnabled(name, usable);
}

void TFormMain::toggleFullMode()
{
    TAppFlags &flags = AppContext().Flags;
    flags.FullMode = !flags.FullMode;
    ApplyModeVisibility();
    UpdateAllViews();
}

void TFormMain::toggleExtendedParameters()
{
    // Lets the factory see and try the extended parameters without a gauge
    // that has them (and hide them again): a software version of 255 counts
    // as extended, 0 does not.
    AppContext().Flags.FullMode = true;
    Ttolm472 &model = m_program.Model();
    model.Identity.SoftVersion = model.Identity.SoftVersion == 255 ? 0 : 255;
    ApplyModeVisibility();
    UpdateAllViews();
}

void TFormMain::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    if (!m_closeConfirmed) {
        if (!Operator().AskYesNo(TMessageIcon::Question, AttentionCaption(), QStringLiteral("Завершить работу?"),
                                 false)) {
            event->ignore();
            return;
        }
        m_closeConfirmed = true;
    }
    // A command on the line ends at its next exchange, before anything it
    // has not finished is stored into ПЗУ; the window closes when the runner
    // is idle again (applyBusyLock).
    TProcedureRunner &runner = m_program.Session().Runner();
    if (runner.Busy()) {
        m_inTurn.clear();
        m_afterTurn = nullptr;
        runner.RequestStop();
        event->ignore();
        return;
    }
    SaveWindowPos(*this, FormName);
    SaveParameterSet(m_program.Model(), Operator(), AppContext().ProgramFolder());
    closeToolWindows();
    // No capture starts while the window goes.
    m_captureTimer->Stop();
    event->accept();
}
