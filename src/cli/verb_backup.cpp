// backup FILE / diff FILE / restore FILE [--dry-run]: the gauge's whole
// configuration against a parameter-set file, as the program's
// "Считать из прибора и сохранить" and "Сравнить с прибором" keep and compare it.
// bundle FILE.zip: the service-case bundle with that configuration in it.

#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "session/command_sender.h"
#include "session/gauge_views.h"
#include "session/procedures/gauge_configuration.h"
#include "session/procedures/parameter_set.h"
#include "session/procedures/procedure_context.h"
#include "session/procedures/service_bundle.h"
#include "session/register_records.h"
#include "link/request_cycle.h"
#include "values/clock.h"

#include <QDir>
#include <QJsonObject>

#include <memory>

namespace {

// The one FILE argument of the verb (and its flags); empty after a usage
// error, whose status is in `status`.
QString fileArgument(TCliSession &session, const QString &verb, const QStringList &flags, TVerbArguments &args,
                     int &status)
{
    QString error;
    if (!args.Parse(session.Options().args, {}, flags, error)) {
        status = UsageError(session.Out(), error);
        return {};
    }
    if (args.Positional().size() != 1) {
        status = UsageError(session.Out(), verb + QStringLiteral(": укажите один файл"));
        return {};
    }
    return QDir::current().absoluteFilePath(args.Positional().first());
}

// The file's configuration; false after reporting why (a usage error: the
// file is the operator's argument).
bool loadFile(TCliSession &session, const QString &path, TConfiguration &file, int &status)
{
    QString error;
    if (ReadConfigurationFile(path, ConfigurationSection(session.Model().Name), file, error))
        return true;
    status = UsageError(session.Out(), error);
    return false;
}

// One row: NAME FILE_VALUE GAUGE_VALUE, or its JSON object.
void printRow(TCliSession &session, const TConfigurationDifference &row)
{
    const QString name = QString::fromLatin1(row.Parameter->Name);
    const QString inFile = ConfigurationValueText(*row.Parameter, row.InFile);
    const QString inGauge = ConfigurationValueText(*row.Parameter, row.InGauge);
    if (session.Options().json)
        session.Out().Json({{QStringLiteral("name"), name},
                            {QStringLiteral("file"), row.InFile ? QJsonValue(*row.InFile) : QJsonValue()},
                            {QStringLiteral("gauge"), row.InGauge ? QJsonValue(*row.InGauge) : QJsonValue()}});
    else
        session.Out().Line(name + QLatin1Char(' ') + inFile + QLatin1Char(' ') + inGauge);
}

void printDifferences(TCliSession &session, const TConfigurationComparison &comparison)
{
    for (const TConfigurationDifference &row : comparison.Rows)
        if (row.Differs)
            printRow(session, row);
}

struct TCliProcedure {
    explicit TCliProcedure(TCliSession &session)
        : context{session.Sender(), views, false, session.Home()}
    {
    }
    TGaugeViews views; // no windows on a terminal
    TProcedureContext context;
};

// The parameter set's own sections hold the gauge's values too, so the
// program loads the file as this gauge's.
void takeIntoModel(TCliSession &session, const TConfiguration &gauge)
{
    for (const TConfigurationValue &value : gauge.Values)
        if (value.Value)
            value.Parameter->Set(session.Model(), *value.Value);
}

// The gauge's configuration; false after reporting a gauge that does not
// answer.
bool readGauge(TCliSession &session, const TProcedureContext &context, TConfiguration &gauge)
{
    gauge = ReadConfiguration(context);
    if (gauge.GaugeAnswered)
        return true;
    session.Out().Error(QStringLiteral("Прибор не отвечает"));
    return false;
}

// The verb's one file and the gauge's configuration, taken into the model
// when the gauge answered. False with `status` after a usage error or a
// session that did not open.
bool fileAndGauge(TCliSession &session, const QString &verb, QString &path, TConfiguration &gauge, bool &answered,
                  int &status)
{
    TVerbArguments args;
    path = fileArgument(session, verb, {}, args, status);
    if (path.isEmpty())
        return false;
    if (!OpenSession(session)) {
        status = ExitFailed;
        return false;
    }
    TCliProcedure procedure(session);
    answered = readGauge(session, procedure.context, gauge);
    if (answered)
        takeIntoModel(session, gauge);
    return true;
}

// The verb's file against the gauge, the differing parameters printed.
// False with `status` after reporting why; `silentGauge` is the status of
// a gauge that does not answer.
bool compareWithFile(TCliSession &session, const QString &verb, const QStringList &flags, int silentGauge,
                     TVerbArguments &args, std::unique_ptr<TCliProcedure> &procedure,
                     TConfigurationComparison &comparison, int &status)
{
    const QString path = fileArgument(session, verb, flags, args, status);
    if (path.isEmpty())
        return false;
    if (!OpenSession(session)) {
        status = ExitFailed;
        return false;
    }
    TConfiguration file, gauge;
    if (!loadFile(session, path, file, status))
        return false;
    procedure = std::make_unique<TCliProcedure>(session);
    if (!readGauge(session, procedure->context, gauge)) {
        status = silentGauge;
        return false;
    }
    comparison = CompareConfigurations(file, gauge);
    return true;
}

// The parameters the gauge did not give; false after naming them.
bool everyParameterRead(TCliSession &session, const TConfigurationComparison &comparison)
{
    const QStringList unread = comparison.UnreadNames();
    if (unread.isEmpty())
        return true;
    session.Out().Error(QStringLiteral("Не считаны из прибора: ") + unread.join(QStringLiteral(", ")));
    return false;
}

} // namespace

int RunBackup(TCliSession &session)
{
    QString path;
    TConfiguration gauge;
    bool answered = false;
    int status = ExitOk;
    if (!fileAndGauge(session, QStringLiteral("backup"), path, gauge, answered, status))
        return status;
    if (!answered)
        return ExitFailed;
    // A backup without every value is no backup: it would put the program's
    // values in place of the gauge's ones, maybe over a good file.
    if (gauge.Missing() > 0) {
        QStringList unread;
        for (const TConfigurationValue &value : gauge.Values)
            if (!value.Value)
                unread.append(QString::fromLatin1(value.Parameter->Name));
        session.Out().Error(QStringLiteral("Не считано параметров: %1 из %2 (%3); файл %4 не записан")
                                .arg(gauge.Missing())
                                .arg(int(gauge.Values.size()))
                                .arg(unread.join(QStringLiteral(", ")), QDir::toNativeSeparators(path)));
        return ExitFailed;
    }
    QString error;
    if (!WriteParameterSetFile(session.Model(), path, &gauge, error)) {
        session.Out().Error(error);
        return ExitFailed;
    }
    RecordInRegister(session.Home(), ConfigurationFileRecord(session.Model(), QStringLiteral("tolm-cli backup"), path),
                     session.Op());
    session.Out().Line(QDir::toNativeSeparators(path));
    return ExitOk;
}

int RunDiff(TCliSession &session)
{
    TVerbArguments args;
    std::unique_ptr<TCliProcedure> procedure;
    TConfigurationComparison comparison;
    int status = ExitOk;
    // A gauge that does not answer is no answer to "does it differ".
    if (!compareWithFile(session, QStringLiteral("diff"), {}, ExitUsage, args, procedure, comparison, status))
        return status;
    printDifferences(session, comparison);
    // Unread is not different, nor the same.
    if (!everyParameterRead(session, comparison))
        return ExitUsage;
    return comparison.Differing() == 0 ? ExitOk : ExitFailed;
}

int RunRestore(TCliSession &session)
{
    TVerbArguments args;
    std::unique_ptr<TCliProcedure> procedure;
    TConfigurationComparison comparison;
    int status = ExitOk;
    if (!compareWithFile(session, QStringLiteral("restore"), {QStringLiteral("--dry-run")}, ExitFailed, args,
                         procedure, comparison, status))
        return status;
    if (args.Has(QStringLiteral("--dry-run"))) {
        printDifferences(session, comparison);
        return ExitOk;
    }
    // Each row once the gauge confirmed it: a restore killed half-way
    // lists what really reached the gauge.
    return RestoreConfiguration(procedure->context, comparison,
                                [&session](const TConfigurationDifference &row) { printRow(session, row); })
               ? ExitOk
               : ExitFailed;
}

int RunBundle(TCliSession &session)
{
    QString path;
    TConfiguration gauge;
    bool answered = false;
    int status = ExitOk;
    // A gauge that does not answer is often why the bundle is made: the
    // logs and the archive go in all the same, the README says so.
    if (!fileAndGauge(session, QStringLiteral("bundle"), path, gauge, answered, status))
        return status;
    const QDateTime now = Clock().Now();
    const TServiceBundleSources sources{session.Home(), session.DbPath(),
                                       QDir::current().filePath(ExchangeLogName(now.date())), now};
    QString error;
    if (!WriteServiceBundle(path, ServiceBundleGauge(session.Model(), gauge, now), sources, error)) {
        session.Out().Error(error);
        return ExitFailed;
    }
    RecordInRegister(session.Home(), BundleRecord(session.Model(), path), session.Op());
    session.Out().Line(QDir::toNativeSeparators(path));
    return ExitOk;
}
