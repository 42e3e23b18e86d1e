// archive NAME [--day YYYY-MM-DD] [--from HH:MM:SS] [--to HH:MM:SS]
//              [--filter CONDITION] [--csv]
// One archive name of one day back, in time order, as text or CSV. Reads
// the archive of the program folder on its own read-only connection; the
// line is not touched, so it works on a laptop without a gauge.

#include "values/clock.h"
#include "archive/day_query.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"

#include <QJsonObject>

namespace {

bool parseTime(const QString &text, QTime &time)
{
    time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    if (!time.isValid())
        time = QTime::fromString(text, QStringLiteral("HH:mm:ss.zzz"));
    return time.isValid();
}

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

} // namespace

int RunArchive(const TCliOptions &options, const TCliEnvironment &environment, TCliOutput &out)
{
    TVerbArguments args;
    QString error;
    if (!args.Parse(options.args,
                    {QStringLiteral("--day"), QStringLiteral("--from"), QStringLiteral("--to"),
                     QStringLiteral("--filter")},
                    {QStringLiteral("--csv")}, error))
        return UsageError(out, error);
    if (args.Positional().size() != 1)
        return UsageError(out, QStringLiteral("archive: укажите одно имя архива (Freq, Distance, LevelBusy, "
                                              "LevelFree, Reserve, Usil, TmpOfSensor, CurrentOutput)"));
    TDayQuery query;
    query.name = args.Positional().first().trimmed();
    query.day = Clock().Now().date();
    if (args.Has(QStringLiteral("--day"))) {
        query.day = QDate::fromString(args.Value(QStringLiteral("--day")), QStringLiteral("yyyy-MM-dd"));
        if (!query.day.isValid())
            return UsageError(out, QStringLiteral("Дата должна иметь вид ГГГГ-ММ-ДД: ") +
                                       args.Value(QStringLiteral("--day")));
    }
    for (const auto &[option, target] : {std::pair{QStringLiteral("--from"), &query.start},
                                         std::pair{QStringLiteral("--to"), &query.end}}) {
        if (!args.Has(option))
            continue;
        QTime time;
        if (!parseTime(args.Value(option), time))
            return UsageError(out, QStringLiteral("Время должно иметь вид ЧЧ:ММ:СС: ") + args.Value(option));
        *target = QDateTime(query.day, time);
    }
    query.filter = args.Value(QStringLiteral("--filter"));

    const QString home = TCliSession::ResolveHome(options, environment, error);
    if (home.isEmpty()) {
        out.Error(error);
        return ExitFailed;
    }
    QVector<TArchiveRow> rows;
    if (!LoadDay(TCliSession::DbPathOf(home), query, rows, error)) {
        out.Error(error);
        return ExitFailed;
    }

    const bool csv = args.Has(QStringLiteral("--csv"));
    if (csv)
        out.Line(QStringLiteral("DT,V"));
    for (const TArchiveRow &row : rows) {
        const QDateTime dt = row.ToQDateTime();
        if (options.json)
            out.Json({{QStringLiteral("DT"), dt.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz"))},
                      {QStringLiteral("V"), row.V}});
        else if (csv)
            out.Line(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + QLatin1Char(',') + number(row.V));
        else
            out.Line(dt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss,zzz")) + QLatin1Char(' ') + number(row.V));
    }
    return ExitOk;
}
