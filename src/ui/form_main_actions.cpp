// The main window's actions made from the tables: the changes of model
// values, the single reads, the reads and writes with retries, the
// composite commands, and the few actions of the window itself.
#include "ui/form_main.h"

#include "app/app_context.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/transmitter.h"
#include "session/command_sender.h"
#include "ui/action_dispatcher.h"
#include "ui/action_tables.h"
#include "ui/form_port_setup.h"
#include "ui/operator.h"
#include "ui/procedure_actions.h"
#include "ui/procedure_commands.h"
#include "ui/procedure_context.h"
#include "ui/program.h"

#include <QCoreApplication>
#include <QDir>

namespace {

const QString InputTitle = QStringLiteral("Введите");

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

void TFormMain::createActions()
{
    const std::map<QString, TActionDispatcher::THandler> own = {
        {QStringLiteral("actFormAboutShow"), [this] { showAbout(); }},
        {QStringLiteral("actTransmitterChange"), [this] { changePort(); }},
        {QStringLiteral("actClose"), [this] { close(); }},
        {QStringLiteral("act10"), [this] { setLogRadix(10); }},
        {QStringLiteral("act16"), [this] { setLogRadix(16); }},
    };
    for (const TNamedAction &row : WindowActions()) {
        const auto handler = own.find(text(row.Name));
        if (handler != own.end())
            m_actions->Add(text(row.Name), text(row.Caption), HintOf(row), handler->second);
    }
    addWindowActions();
    addPollingActions();
    for (const TChangeAction &row : ChangeActions())
        addChangeAction(row);
    for (const TSingleRead &row : SingleReads())
        addSingleRead(row);
    for (const TParameterCommand &row : ParameterCommands())
        addParameterCommand(row);
    for (const TProcedureAction &row : ProcedureActions())
        m_actions->Add(text(row.Name), text(row.Caption), text(row.Hint),
                       [this, &row] { RunProcedureAction(row, procedureContext()); });
    PortSetupDialog = RunPortSetupDialog;
}

void TFormMain::addChangeAction(const TChangeAction &row)
{
    m_actions->Add(text(row.Name), text(row.Caption), text(row.Caption), [this, &row] { runChange(row); });
}

void TFormMain::runChange(const TChangeAction &row)
{
    Ttolm472 &model = m_program.Model();
    if (row.Extended && !model.HasExtendedParameters())
        return;
    TOperator &op = Operator();
    const QString label = text(row.Label);
    if (row.Kind == TInputKind::Text) {
        QString &field = model.*row.Text;
        field = op.InputText(InputTitle, label, field);
    } else if (const TParameter *parameter = FindParameter(text(row.Property))) {
        const double present = parameter->Get(model);
        switch (row.Kind) {
        case TInputKind::Integer:
            parameter->Set(model, op.InputInteger(InputTitle, label, int(present), int(row.Max), int(row.Min)));
            break;
        case TInputKind::Double:
            parameter->Set(model, op.InputDouble(InputTitle, label, row.Decimals, row.Max, row.Min, present));
            break;
        case TInputKind::List: {
            // Line 0 of the list names type 11, line 1 type 12; any other
            // answer leaves the type as it is.
            const int index = present == 11 ? 0 : 1;
            const int chosen = op.InputIndexFromList(InputTitle, label, index,
                                                     AppContext().ProgramIniFile(QStringLiteral("ProgramTypes.ini")));
            if (chosen == 0 || chosen == 1)
                parameter->Set(model, chosen == 0 ? 11 : 12);
            break;
        }
        case TInputKind::Text: break;
        }
    }
    if (row.ApplyRanges)
        ApplyValueRanges();
    if (row.Refresh)
        UpdateAllViews();
}

void TFormMain::addSingleRead(const TSingleRead &row)
{
    // One exchange, no retry, no message: what happened shows in the
    // communication window and the gauge's status.
    m_actions->Add(text(row.Name), text(row.Caption), text(row.Caption), [this, code = row.Code] {
        m_program.Cycle().Exchange(code);
        UpdateAllViews();
    });
}

void TFormMain::addParameterCommand(const TParameterCommand &row)
{
    const TParameter *parameter = FindParameter(text(row.Property));
    if (!parameter)
        return;
    if (row.ReadCaption && CanRead(*parameter))
        m_actions->Add(ReadActionName(row), text(row.ReadCaption), text(parameter->ReadHint),
                       [this, parameter, ranges = row.RangesAfterRead] { runParameterRead(*parameter, ranges); });
    if (row.WriteCaption && CanWrite(*parameter))
        m_actions->Add(WriteActionName(row), text(row.WriteCaption), text(parameter->WriteHint),
                       [this, parameter] { runParameterWrite(*parameter); });
}

void TFormMain::runParameterRead(const TParameter &parameter, bool rangesAfter)
{
    if (parameter.Extended && !m_program.Model().HasExtendedParameters())
        return;
    if (!SendCommandReported(procedureContext(), parameter.ReadCode, text(parameter.ReadHint)))
        return;
    if (rangesAfter)
        ApplyValueRanges();
    UpdateAllViews();
}

void TFormMain::runParameterWrite(const TParameter &parameter)
{
    if (parameter.Extended && !m_program.Model().HasExtendedParameters())
        return;
    const QString hint = text(parameter.WriteHint);
    const int code = WriteCommand(parameter, m_program.Model());
    if (code < 0) {
        // A program type the gauge has no command for (one it reported
        // itself, say): nothing is sent, and the operator learns that the
        // write did not happen.
        ReportFailure(hint);
        return;
    }
    WriteParameter(procedureContext(), code, hint);
}

void TFormMain::setLogRadix(int radix)
{
    AppContext().Flags.LogRadix = radix;
    m_program.Cycle().LogRadix = radix;
    m_actions->SetChecked(QStringLiteral("act10"), radix == 10);
    m_actions->SetChecked(QStringLiteral("act16"), radix == 16);
}

void TFormMain::changePort()
{
    TTransmitter &port = m_program.Transmitter();
    // With the simulated gauge on the line the port is only configured.
    const bool portIsLine = m_program.PortIsLine();
    port.Close();
    if (!port.LoadSettings()) {
        Operator().Error(port.LastError());
    } else {
        if (PortSetupDialog)
            PortSetupDialog(port);
        // Saved whatever the dialog's outcome: the port name it shows is
        // the one in use.
        if (!port.SaveSettings())
            Operator().Error(QStringLiteral("Не удалось записать настройки порта ") +
                             QDir::toNativeSeparators(port.SettingsFile));
    }
    // Also after a settings file that could not be read: the line stays as
    // usable as it was.
    if (portIsLine)
        port.Open();
    UpdateAllViews();
}

void TFormMain::showAbout()
{
    QString about = QStringLiteral("ТОЛМ47xИ\rСервисная программа радарных уровнемеров ТОЛМ471И и ТОЛМ472И");
    const QString version = QCoreApplication::applicationVersion();
    if (!version.isEmpty())
        about += QStringLiteral("\rВерсия ") + version;
    Operator().Information(QStringLiteral("О программе"), about);
}
