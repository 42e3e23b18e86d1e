#pragma once
// A test bench for the gauge procedures: the simulated gauge on an
// in-process line, the request cycle and the commands with retries as the
// program has them, a scripted operator, the windows counted and a manual
// clock, all in a throw-away program folder. The procedures run in the
// test's thread, which is the user-interface thread of the hand-over.
//
// Every frame that goes on the line is recorded, and a test can make the
// gauge deaf to chosen frames (it then never answers them, as a gauge that
// does not hear the command).

#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "session/gauge_session.h"
#include "session/ui_hand_over.h"
#include "session/command_sender.h"
#include "session/gauge_views.h"
#include "session/procedures/procedure_actions.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"
#include "sim/simulated_line.h"

#include "support/core_application.h"
#include "support/frame_codes.h"
#include "support/manual_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_home.h"

#include <QDir>
#include <QList>
#include <QLocale>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

// The program's windows as the procedures see them: the calls counted.
class TFakeViews final : public TGaugeViews
{
public:
    int UpdateAllViewsCount = 0;
    int ApplyModeVisibilityCount = 0;
    int ApplyValueRangesCount = 0;
    // The factoryTab argument of each ShowParametersWindow.
    QList<bool> ParametersWindowShown;

    void UpdateAllViews() override { ++UpdateAllViewsCount; }
    void ApplyModeVisibility() override { ++ApplyModeVisibilityCount; }
    void ApplyValueRanges() override { ++ApplyValueRangesCount; }
    void ShowParametersWindow(bool factoryTab) override { ParametersWindowShown.append(factoryTab); }

    // Periodic polling as the main window runs it.
    bool Polling = false;
    int PollingStarts = 0;
    bool StopPolling() override { return std::exchange(Polling, false); }
    void StartPolling() override
    {
        Polling = true;
        ++PollingStarts;
    }
};

// The simulated line with the frames recorded and a deaf gauge on demand.
class TBenchLine final : public TLine
{
public:
    explicit TBenchLine(const TSimLineConfig &config)
        : m_simulated(config)
    {
        SetOnExchange([this](TLine *, const QByteArray &request, bool, const QByteArray &) { Sent.append(request); });
    }

    // Frames as sent, checksum included.
    QList<QByteArray> Sent;
    // Frames the gauge does not answer.
    std::function<bool(const QByteArray &frame)> Deaf;

    TSimulatedLine &Simulated() { return m_simulated; }
    void ApplyParameters(const TPortParameters &set) override { m_simulated.ApplyParameters(set); }

protected:
    std::optional<QByteArray> Exchange(TTransmitMode mode, const QByteArray &frame, int maxLength) override
    {
        if (Deaf && Deaf(frame))
            return QByteArray();
        QByteArray answer;
        switch (mode) {
        case TTransmitMode::Addressed: m_simulated.TransmitAddressed(frame, answer, false, maxLength); break;
        case TTransmitMode::Plain: m_simulated.TransmitPlain(frame, answer, false, maxLength); break;
        case TTransmitMode::NoParity: m_simulated.TransmitNoParity(frame, answer, false, maxLength); break;
        }
        return answer;
    }

private:
    TSimulatedLine m_simulated;
};

inline TSimLineConfig WithStateFile(TSimLineConfig config, const QString &stateFile)
{
    config.gauge.stateFile = stateFile;
    return config;
}

// The application object (for the hand-over) and the workstations' locale
// (decimal comma) before any member of the bench.
struct TApplicationFirst {
    TApplicationFirst()
    {
        EnsureCoreApplication();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }
    ~TApplicationFirst() { QLocale::setDefault(previous); }
    QLocale previous;
};

class TProcedureBench : private TApplicationFirst
{
public:
    // gauge: the simulated gauge as it is at the start (its memory is kept
    // in a state file of the bench's folder).
    explicit TProcedureBench(const TSimLineConfig &gauge = {})
        : clock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)))
        , model(home.path())
        , line(WithStateFile(gauge, home.file(QStringLiteral("gauge-state.ini"))))
        , handOver(&uiContext)
        , cycle(model, line, home.path())
        , sender(cycle, model, handOver, op)
        , context{sender, views, false, home.path()}
    {
        // As the program sets its gauge model up at start.
        model.Name = QStringLiteral("Tolm471");
        model.SetErrorMax(1);
        ConnectModel(cycle, model, uiContext);
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(home.path()); // the exchange log lands there
    }
    ~TProcedureBench()
    {
        DisconnectModel(cycle, model);
        QDir::setCurrent(m_oldDir);
    }
    TProcedureBench(const TProcedureBench &) = delete;
    TProcedureBench &operator=(const TProcedureBench &) = delete;

    // Runs a composite command of the main window as its action does.
    void Run(TProcedureId procedure) { RunProcedureAction(FindProcedureAction(procedure), context); }
    // Codes of the frames sent so far, in order.
    QList<int> SentCodes() const
    {
        QList<int> codes;
        for (const QByteArray &frame : line.Sent)
            codes.append(CodeOfFrame(frame));
        return codes;
    }
    int CountSent(int code) const { return int(SentCodes().count(code)); }
    // The gauge never answers frames of these codes.
    void MakeDeafTo(QList<int> codes)
    {
        line.Deaf = [codes](const QByteArray &frame) { return codes.contains(CodeOfFrame(frame)); };
    }
    TSimGaugeParameters GaugeParameters()
    {
        TSimGaugeParameters parameters;
        line.Simulated().WithSimulator([&](TSimLine &sim) { parameters = sim.gauge().parameters(); });
        return parameters;
    }
    QStringList Messages() const
    {
        return op.MessageTexts();
    }

    TScriptedOperator op; // first: the operator in use before anything asks it
    ManualClockScope clock;
    TempHome home;
    QObject uiContext;
    Ttolm472 model;
    TBenchLine line;
    TUiHandOver handOver;
    TRequestCycle cycle;
    TFakeViews views;
    TCommandSender sender;
    TProcedureContext context; // FullMode may be set by a test

private:
    QString m_oldDir;
};
