// read NAME ... / write NAME VALUE ...: the gauge's parameters by their
// property names, each with the main window's five attempts and its failure
// text; the writes followed by one store into the gauge's ПЗУ.

#include "cli/answer_values.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "protocol/answer_layout.h"
#include "session/command_sender.h"
#include "session/rom_store.h"

#include <QJsonObject>

#include <optional>

namespace {

const TParameter *parameterOf(TCliOutput &out, const QString &name, int &status)
{
    const TParameter *p = FindParameter(name);
    if (!p)
        status = UsageError(out, QStringLiteral("Неизвестный параметр прибора: ") + name);
    return p;
}

enum class TPrinted { Read, Written, SetInProgram };

void printParameter(TCliSession &session, const TParameter &p, TPrinted what)
{
    const TNamedValue v = ParameterValue(p, session.Model());
    if (session.Options().json) {
        QJsonObject object{{QStringLiteral("name"), v.name}, {QStringLiteral("value"), v.json}};
        if (what != TPrinted::Read)
            object.insert(QStringLiteral("written"), what == TPrinted::Written);
        session.Out().Json(object);
    } else {
        session.Out().Line(v.name + (what == TPrinted::Read ? QStringLiteral(" = ") : QStringLiteral(" := ")) +
                           v.text +
                           (what == TPrinted::SetInProgram ? QStringLiteral(" (только в программе, в прибор не отправлено)")
                                                           : QString()));
    }
}

struct TAssignment {
    const TParameter *parameter;
    double value;
};

} // namespace

int RunRead(TCliSession &session)
{
    TCliOutput &out = session.Out();
    const QStringList &names = session.Options().args;
    if (names.isEmpty())
        return UsageError(out, QStringLiteral("read: не указаны параметры"));
    QList<const TParameter *> parameters;
    for (const QString &name : names) {
        int status = ExitOk;
        const TParameter *p = parameterOf(out, name, status);
        if (!p)
            return status;
        if (!CanRead(*p))
            return UsageError(out, QStringLiteral("Параметр ") + name + QStringLiteral(" не считывается из прибора"));
        parameters.append(p);
    }
    if (!OpenSession(session))
        return ExitFailed;

    int status = ExitOk;
    TCommandSender &sender = session.Sender();
    for (const TParameter *p : parameters) {
        const QString hint = QString::fromUtf8(p->ReadHint);
        if (!sender.SendCommandWithRetries(p->ReadCode, hint, TCommandSender::Attempts)) {
            sender.ReportFailure(hint);
            status = ExitFailed;
            continue;
        }
        // The model drops a value from the gauge that its rules refuse (an
        // Lmax above the Hmax it knows, a KKalman of 0) and keeps its own:
        // printing that would pass the program's value off as the gauge's.
        QByteArray request, answer;
        session.LastFrames(request, answer);
        const std::optional<double> sent = ParameterValueCarried(answer);
        if (sent && *sent != p->Get(session.Model())) {
            out.Error(QStringLiteral("Значение ") + QString::number(*sent, 'g', 7) + QStringLiteral(" параметра ") +
                      QString::fromLatin1(p->Name) +
                      QStringLiteral(" из прибора не принято программой: вне допустимого диапазона") +
                      (QLatin1String(p->Name) == QLatin1String("Lmax") ? QStringLiteral(" (считайте и Hmax)")
                                                                         : QString()));
            status = ExitFailed;
            continue;
        }
        printParameter(session, *p, TPrinted::Read);
    }
    return status;
}

int RunWrite(TCliSession &session)
{
    TCliOutput &out = session.Out();
    TVerbArguments args;
    QString error;
    if (!args.Parse(session.Options().args, {}, {QStringLiteral("--no-store")}, error))
        return UsageError(out, error);
    const QStringList &pairs = args.Positional();
    if (pairs.isEmpty())
        return UsageError(out, QStringLiteral("write: не указаны параметры и значения"));
    if (pairs.size() % 2 != 0)
        return UsageError(out, QStringLiteral("write: нет значения у параметра ") + pairs.last());
    QList<TAssignment> assignments;
    for (int i = 0; i < pairs.size(); i += 2) {
        int status = ExitOk;
        const TParameter *p = parameterOf(out, pairs.at(i), status);
        if (!p)
            return status;
        double value = 0;
        if (!ParseNumber(pairs.at(i + 1), value))
            return UsageError(out, QStringLiteral("Значение параметра ") + pairs.at(i) +
                                       QStringLiteral(" не является числом: ") + pairs.at(i + 1));
        assignments.append({p, value});
    }
    if (!OpenSession(session))
        return ExitFailed;

    // The model's own rules judge every value first (in the order given, as
    // one rule may depend on another: Lmax not above Hmax), so a refused
    // value stops the run before anything goes to the gauge.
    Ttolm472 &model = session.Model();
    for (const TAssignment &a : assignments) {
        a.parameter->Set(model, a.value);
        if (a.parameter->Get(model) != a.value)
            return UsageError(out, QStringLiteral("Значение ") + QString::number(a.value, 'g', 9) +
                                       QStringLiteral(" параметра ") + QString::fromLatin1(a.parameter->Name) +
                                       QStringLiteral(" не принято: вне допустимого диапазона"));
    }

    int status = ExitOk;
    bool storeToRom = false;
    TCommandSender &sender = session.Sender();
    for (const TAssignment &a : assignments) {
        const TParameter &p = *a.parameter;
        p.Set(model, a.value);
        if (!CanWrite(p)) {
            // Known to the program only (the address it talks to, ...).
            printParameter(session, p, TPrinted::SetInProgram);
            continue;
        }
        const QString hint = QString::fromUtf8(p.WriteHint);
        if (sender.SendCommandWithRetries(WriteCommand(p, model), hint, TCommandSender::Attempts)) {
            printParameter(session, p, TPrinted::Written);
            storeToRom = storeToRom || p.StoresToRom;
        } else {
            sender.ReportFailure(hint);
            status = ExitFailed;
        }
    }
    if (storeToRom && !args.Has(QStringLiteral("--no-store")) && !StoreToRom(sender))
        status = ExitFailed;
    return status;
}
