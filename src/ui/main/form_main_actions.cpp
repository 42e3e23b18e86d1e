// The main window's actions made from the tables: the changes of model
// values, the single reads, the reads and writes with retries, the
// composite commands, and the few actions of the window itself.
#include "ui/main/form_main.h"

#include "app/app_context.h"
#include "app/build_info.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/transmitter.h"
#include "session/procedures/procedure_actions.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"
#include "session/procedures/procedure_device_info.h"
#include "ui/dialogs/form_port_setup.h"
#include "ui/dialogs/operator.h"
#include "ui/main/action_dispatcher.h"
#include "ui/main/action_tables.h"
#include "ui/main/program.h"
#include "ui/main/parameter_actions.h"
#include "ui/windows/parameter_texts.h"

#include <QDir>
#include <QStringList>

namespace {

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
        {QStringLiteral("actLineScan"), [this] { scanLine(); }},
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
    for (const TParameter &parameter : ParameterTable())
        addParameterActions(parameter);
    for (const TTextChange &row : TextChanges())
        m_actions->Add(text(row.Name), text(row.Caption), text(row.Caption), [this, &row] { runTextChange(row); });
    for (const TSingleRead &row : SingleReads())
        addSingleRead(row);
    for (const TProcedureActionName &row : ProcedureActionNames()) {
        const TProcedureAction &procedure = FindProcedureAction(row.Id);
        m_actions->Add(text(row.Name), text(row.Caption), text(procedure.Hint), [this, &procedure] {
            startProcedure([&procedure](const TProcedureContext &context) { RunProcedureAction(procedure, context); });
        });
    }
    PortSetupDialog = RunPortSetupDialog;
}

void TFormMain::addParameterActions(const TParameter &parameter)
{
    // The bad zones are read and written together by composite commands.
    if (parameter.Group)
        return;
    const TParameterTexts &texts = ParameterTexts(parameter);
    if (texts.Change.Input != TParameterInput::None)
        m_actions->Add(ChangeActionName(parameter), text(texts.Change.Caption), text(texts.Change.Caption),
                       [this, &parameter] { runChange(parameter); });
    if (texts.ReadCaption && CanRead(parameter))
        m_actions->Add(ReadActionName(parameter), text(texts.ReadCaption), text(parameter.ReadHint),
                       [this, &parameter] {
                           startProcedure([&parameter](const TProcedureContext &c) { ReadParameter(c, parameter); });
                       });
    if (texts.WriteCaption && CanWrite(parameter))
        m_actions->Add(WriteActionName(parameter), text(texts.WriteCaption), text(parameter.WriteHint),
                       [this, &parameter] {
                           startProcedure(
                               [&parameter](const TProcedureContext &c) { WriteParameterValue(c, parameter); });
                       });
}

void TFormMain::runChange(const TParameter &parameter)
{
    Ttolm472 &model = m_program.Model();
    const TParameterChange &change = ParameterTexts(parameter).Change;
    if (change.NeedsExtended && !model.Identity.HasExtendedParameters())
        return;
    TOperator &op = Operator();
    const QString label = text(change.Label);
    const double present = parameter.Get(model);
    switch (change.Input) {
    case TParameterInput::Integer:
        parameter.Set(model, op.InputInteger(InputTitle, label, int(present), int(parameter.Max), int(parameter.Min)));
        break;
    case TParameterInput::Double:
        parameter.Set(model, op.InputDouble(InputTitle, label, change.Decimals, parameter.Max, parameter.Min, present));
        break;
    case TParameterInput::List: {
        // Line 0 of the list names type 11, line 1 type 12; any other
        // answer leaves the type as it is.
        const int index = present == 11 ? 0 : 1;
        const int chosen = op.InputIndexFromList(InputTitle, label, index,
                                                 AppContext().ProgramIniFile(QStringLiteral("ProgramTypes.ini")));
        if (chosen == 0 || chosen == 1)
            parameter.Set(model, chosen == 0 ? 11 : 12);
        break;
    }
    case TParameterInput::None: break;
    }
    if (parameter.RangesFollow)
        ApplyValueRanges();
    UpdateAllViews();
}

void TFormMain::runTextChange(const TTextChange &row)
{
    QString &field = m_program.Model().TestRun.*row.Text;
    field = Operator().InputText(InputTitle, text(row.Label), field);
}

void TFormMain::addSingleRead(const TSingleRead &row)
{
    m_actions->Add(text(row.Name), text(row.Caption), text(row.Caption), [this, code = row.Code] {
        startProcedure([code](const TProcedureContext &context) { ReadOnce(context, code); });
    });
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
    // What a service centre asks for when a customer calls: which build,
    // on which Qt, where it keeps its files, and the gauge programs it was
    // made for.
    QStringList lines{
        QStringLiteral("ТОЛМ47xИ"),
        QStringLiteral("Сервисная программа радарных уровнемеров ТОЛМ471И и ТОЛМ472И"),
        QString(),
        QStringLiteral("Версия ") + ProgramVersion(),
    };
    if (!ProgramCommit().isEmpty())
        lines.append(QStringLiteral("Сборка ") + ProgramCommit());
    lines << QStringLiteral("Дата сборки ") + ProgramBuildDate() << QStringLiteral("Qt ") + QString::fromLatin1(qVersion())
          << QStringLiteral("Папка программы: ") + QDir::toNativeSeparators(AppContext().ProgramFolder()) << QString()
          << QStringLiteral("Программы прибора:") << HostProgramDesignation + QStringLiteral(" (ХОСТ)")
          << CosProgramDesignation + QStringLiteral(" (ЦОС)");
    Operator().Information(QStringLiteral("О программе"), lines.join(QLatin1Char('\r')));
}
