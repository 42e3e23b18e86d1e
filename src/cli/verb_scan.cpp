// scan [--from N] [--to M]: the gauges on the line, one line each in address
// order ("5 1234 11 1 2": address, plant number, program type, hardware and
// software version; "5 conflict" where two gauges answer at one address),
// or one JSON array of them. Exit 0 when at least one gauge answered.

#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"
#include "session/line_scan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject jsonOf(const TFoundGauge &gauge)
{
    if (gauge.Conflict)
        return {{QStringLiteral("address"), gauge.Address}, {QStringLiteral("conflict"), true}};
    return {{QStringLiteral("address"), gauge.Address},
            {QStringLiteral("plant"), gauge.PlantNumber},
            {QStringLiteral("type"), gauge.ProgramType},
            {QStringLiteral("hard"), gauge.HardVersion},
            {QStringLiteral("soft"), gauge.SoftVersion}};
}

QString textOf(const TFoundGauge &gauge)
{
    if (gauge.Conflict)
        return QString::number(gauge.Address) + QStringLiteral(" conflict");
    return QStringList{QString::number(gauge.Address), QString::number(gauge.PlantNumber),
                       QString::number(gauge.ProgramType), QString::number(gauge.HardVersion),
                       QString::number(gauge.SoftVersion)}
        .join(QLatin1Char(' '));
}

} // namespace

int RunScan(TCliSession &session)
{
    TCliOutput &out = session.Out();
    TVerbArguments args;
    QString error;
    if (!args.Parse(session.Options().args, {QStringLiteral("--from"), QStringLiteral("--to")}, {}, error))
        return UsageError(out, error);
    if (!args.Positional().isEmpty())
        return UsageError(out, QStringLiteral("scan: лишний аргумент ") + args.Positional().first());
    int from = 1;
    int to = 255;
    if (!args.Int(QStringLiteral("--from"), 1, 255, from, error) || !args.Int(QStringLiteral("--to"), 1, 255, to, error))
        return UsageError(out, error);
    if (from > to)
        return UsageError(out, QStringLiteral("scan: --from больше --to"));
    if (!OpenSession(session))
        return ExitFailed;

    const std::vector<TFoundGauge> found = ScanLine(session.Cycle(), from, to, [&out](int done, int total) {
        if (out.ShowsProgress())
            out.Progress(QStringLiteral("Поиск приборов: ") + QString::number(done) + QStringLiteral(" из ") +
                         QString::number(total));
        return true;
    });
    if (out.ShowsProgress())
        out.EndProgress();

    bool anyGauge = false;
    QJsonArray array;
    for (const TFoundGauge &gauge : found) {
        anyGauge = anyGauge || !gauge.Conflict;
        if (session.Options().json)
            array.append(jsonOf(gauge));
        else
            out.Line(textOf(gauge));
    }
    if (session.Options().json)
        out.Line(QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
    return anyGauge ? ExitOk : ExitFailed;
}
