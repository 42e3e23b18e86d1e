#pragma once
// A test bench for the main window's gauge procedures: the simulated gauge
// on an in-process line, the request cycle and the commands with retries
// as the program has them, a scripted operator, the fake main window and a
// manual clock, all in a throw-away program folder.
//
// Every frame that goes on the line is recorded, and a test can make the
// gauge deaf to chosen frames (it then never answers them, as a gauge that
// does not hear the command).

#include "app/app_context.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/ui_hand_over.h"
#include "protocol/command_table.h"
#include "session/command_sender.h"
#include "sim/simulated_line.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/ui_hand_over.h"
#include "session/command_sender.h"
#include "sim/simulated_line.h"
#include "ui/procedures/procedure_actions.h"
#include "ui/procedures/procedure_all_parameters.h"
#include "ui/procedures/procedure_commands.h"
#include "ui/procedures/procedure_context.h"
#include "ui/procedures/procedure_operator_host.h"

#include "support/gui_application.h"
#include "support/manual_clock.h"
#include "support/scripted_operator.h"
#include "support/temp_home.h"

#include "fake_main_services.h"

#include <QDir>
#include <QList>

#include <gtest/gtest.h>

#include <functional>

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

// The command code a gauge frame was built from: the code whose function
// byte and fixed data start the frame after its address (the longest such
// data wins); -1 for none.
inline int CodeOfFrame(const QByteArray &frame)
{
    int best = -1;
    size_t bestLength = 0;
    for (int code = 0; code < CommandCount; ++code) {
        const TCommandRow *row = CommandRow(code);
        if (!row || frame.size() < 2 || uint8_t(frame.at(1)) != row->function)
            continue;
        const QByteArray data(row->data.data(), qsizetype(row->data.size()));
        if (frame.mid(2).startsWith(data) && (best < 0 || row->data.size() > bestLength)) {
            best = code;
            bestLength = row->data.size();
        }
    }
    return best;
}

inline TSimLineConfig WithStateFile(TSimLineConfig config, const QString &stateFile)
{
    config.gauge.stateFile = stateFile;
    return config;
}

// first, first + 1, ... count codes.
inline QList<int> CodeRange(int first, int count)
{
    QList<int> codes;
    for (int code = first; code < first + count; ++code)
        codes.append(code);
    return codes;
}

// The application object must be there before any member of the bench.
struct TGuiApplicationFirst {
    TGuiApplicationFirst() { EnsureGuiApplication(); }
};

class TProcedureBench : private TGuiApplicationFirst
{
public:
    // gauge: the simulated gauge as it is at the start (its memory is kept
    // in a state file of the bench's folder).
    explicit TProcedureBench(const TSimLineConfig &gauge = {})
        : clock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)))
        , model(home.path())
        , line(WithStateFile(gauge, home.file(QStringLiteral("gauge-state.ini"))))
        , handOver(&uiContext)
        , cycle(model, line, handOver, home.path())
        , host(services)
        , sender(cycle, model, host)
        , context{services, sender, op, flags, home.path()}
    {
        // As the program sets its gauge model up at start.
        model.Name = QStringLiteral("Tolm471");
        model.SetErrorMax(1);
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(home.path()); // the exchange log lands there
    }
    ~TProcedureBench()
    {
        model.On32 = nullptr;
        model.On35 = nullptr;
        QDir::setCurrent(m_oldDir);
    }
    TProcedureBench(const TProcedureBench &) = delete;
    TProcedureBench &operator=(const TProcedureBench &) = delete;

    // Runs a composite command of the main window as its action does.
    void Run(const char *action)
    {
        const TProcedureAction *row = FindProcedureAction(QString::fromLatin1(action));
        ASSERT_NE(row, nullptr) << action;
        RunProcedureAction(*row, context);
    }
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
    // The fake main window runs the composite commands as the main window
    // does, and every single parameter write as its write action: the
    // parameter's command with retries, then "Записать в ПЗУ" by name.
    void WireActions()
    {
        for (const TProcedureAction &action : ProcedureActions())
            services.On(QString::fromLatin1(action.Name), [this, &action] { RunProcedureAction(action, context); });
        for (const TParameter &parameter : ParameterTable()) {
            if (parameter.Group || WriteActionName(parameter).isEmpty())
                continue; // a composite write, wired above
            services.On(WriteActionName(parameter), [this, &parameter] {
                WriteParameter(context, WriteCommand(parameter, model), QString::fromUtf8(parameter.WriteHint));
            });
        }
    }
    TSimGaugeParameters GaugeParameters()
    {
        TSimGaugeParameters parameters;
        line.Simulated().WithSimulator([&](TSimLine &sim) { parameters = sim.gauge().parameters(); });
        return parameters;
    }
    QStringList Messages() const
    {
        QStringList texts;
        for (const TOperatorCall &call : op.CallsOf(QStringLiteral("ShowMessage")))
            texts.append(call.Text);
        return texts;
    }

    TScriptedOperator op; // first: the operator in use before anything asks it
    ManualClockScope clock;
    TempHome home;
    QObject uiContext;
    Ttolm472 model;
    TBenchLine line;
    TUiHandOver handOver;
    TRequestCycle cycle;
    TFakeMainServices services;
    TOperatorProcedureHost host;
    TCommandSender sender;
    TAppFlags flags;
    TProcedureContext context;

private:
    QString m_oldDir;
};
