#pragma once
// A bench for the main window: the program's objects as tolm47x builds them
// with "/sim" (the simulated gauge on an in-process line, without line
// timing), the main window with the windows it opens, a scripted operator
// and a manual clock, all in a throw-away program and start folder.
//
// Every frame that goes on the line is recorded, so a test checks what the
// gauge was sent, and the simulated gauge can be asked what it holds.

#include "app/app_context.h"
#include "app/custom_timer.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "session/gauge_session.h"
#include "session/procedure_runner.h"
#include "sim/program_sim_line.h"
#include "sim/simulated_line.h"
#include "ui/main/action_dispatcher.h"
#include "ui/main/form_main.h"
#include "ui/main/program.h"

#include "support/frame_codes.h"
#include "support/gui_application.h"
#include "support/manual_clock.h"
#include "support/installed_operator.h"
#include "support/temp_home.h"


#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QMutex>

#include <condition_variable>
#include <memory>
#include <mutex>

class FormMainBench : public GuiTest
{
protected:
    FormMainBench() : m_oldDir(QDir::currentPath())
    {
        QDir::setCurrent(home.path()); // the exchange log lands there
    }

    // Every action name that was asked for in the test was an action, or
    // one of a window still to come.
    void TearDown() override
    {
        if (form) {
            EXPECT_EQ(form->Actions().UnknownNames(), QStringList());
        }
    }

    ~FormMainBench() override
    {
        ReleaseLine();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        program.reset();
        QDir::setCurrent(m_oldDir);
        SetAppContext(TAppContext());
    }

    // Starts the program with "/sim" and these switches; settings files are
    // written into `home` before. On a port instead when `onPort`.
    void Start(const QStringList &switches = {}, bool onPort = false)
    {
        QStringList arguments{QStringLiteral("tolm47x")};
        if (!onPort)
            arguments.append(QStringLiteral("/sim"));
        SetAppContext(TAppContext(home.path(), home.path(), arguments + switches));
        TProgram::TLineFactory simulated;
        if (!onPort)
            simulated = [this] {
                TSimLineConfig config = ProgramSimLineConfig(home.path(), AppContext().Flags.ModbusMode);
                config.timing.enabled = false;
                auto line = std::make_unique<TSimulatedLine>(config);
                m_simulatedLine = line.get();
                return line;
            };
        program = std::make_unique<TProgram>(simulated);
        form = std::make_unique<TFormMain>(*program);
        program->Line().SetOnExchange([this](TLine *, const QByteArray &request, bool, const QByteArray &) {
            {
                QMutexLocker lock(&m_sentMutex);
                m_sent.append(request);
            }
            std::unique_lock hold(m_holdMutex);
            if (std::exchange(m_holdNext, false)) {
                m_held = true;
                m_holdWake.wait(hold, [this] { return m_released; });
            }
        });
    }

    Ttolm472 &Model() const { return program->Model(); }
    TActionDispatcher &Actions() const { return form->Actions(); }
    // Runs the action and waits for a procedure it started on the runner.
    bool Execute(const char *name)
    {
        const bool ran = form->ExecuteAction(QString::fromUtf8(name));
        WaitIdle();
        return ran;
    }
    // Lets the event loop run until no procedure runs.
    void WaitIdle()
    {
        QElapsedTimer waited;
        waited.start();
        while (program->Session().Runner().Busy()) {
            ASSERT_LT(waited.elapsed(), 60000) << "a procedure did not end";
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    bool Enabled(const char *name) const { return form->ActionEnabled(QString::fromUtf8(name)); }
    bool Visible(const char *name) const { return Actions().IsVisible(QString::fromUtf8(name)); }
    QAction *Action(const char *name) const { return Actions().Action(QString::fromUtf8(name)); }

    // The command codes of the gauge frames sent so far.
    QList<int> SentCodes()
    {
        QMutexLocker lock(&m_sentMutex);
        QList<int> codes;
        for (const QByteArray &frame : std::as_const(m_sent))
            codes.append(CodeOfFrame(frame));
        return codes;
    }
    void ClearSent()
    {
        QMutexLocker lock(&m_sentMutex);
        m_sent.clear();
    }

    // The next exchange keeps the line (and the command on it) after its
    // answer until ReleaseLine: a command caught in its middle.
    void HoldNextExchange()
    {
        std::lock_guard hold(m_holdMutex);
        m_holdNext = true;
        m_held = m_released = false;
    }
    // Turns the event loop until an exchange is held.
    void WaitHeld()
    {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            {
                std::lock_guard hold(m_holdMutex);
                if (m_held)
                    return;
            }
            ASSERT_LT(waited.elapsed(), 60000) << "no exchange came";
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    void ReleaseLine()
    {
        {
            std::lock_guard hold(m_holdMutex);
            m_holdNext = false;
            m_released = true;
        }
        m_holdWake.notify_all();
    }

    // Works on the simulated line, between two exchanges.
    void OnSimulator(const std::function<void(TSimLine &)> &work) { m_simulatedLine->WithSimulator(work); }

    // From now on the gauge answers every request with its error answer.
    void FailEveryAnswer()
    {
        TSimFaultConfig faults;
        faults.rate = 1;
        faults.kinds = {TSimFault::ErrorAnswer};
        OnSimulator([&](TSimLine &sim) { sim.faults() = TSimFaults(faults); });
    }

    TSimGaugeParameters GaugeParameters()
    {
        TSimGaugeParameters parameters;
        OnSimulator([&](TSimLine &sim) { parameters = sim.gauge().parameters(); });
        return parameters;
    }

    // Texts of the message boxes shown so far.
    QStringList Messages() const
    {
        return op.MessageTexts();
    }

    TempHome home;
    ManualClockScope clock{QDateTime(QDate(2026, 12, 8), QTime(10, 15, 0))};
    TInstalledOperator op;
    std::unique_ptr<TProgram> program;
    std::unique_ptr<TFormMain> form;

private:
    QString m_oldDir;
    TSimulatedLine *m_simulatedLine = nullptr; // owned by the program
    QMutex m_sentMutex;
    QList<QByteArray> m_sent;
    std::mutex m_holdMutex;
    std::condition_variable m_holdWake;
    bool m_holdNext = false;
    bool m_held = false;
    bool m_released = false;
};
