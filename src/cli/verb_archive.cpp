// archive NAME [--day YYYY-MM-DD] [--from HH:MM:SS] [--to HH:MM:SS]
//              [--filter CONDITION] [--csv] [--gauge PNnnnnn]
// One archive name of one day back, in time order, as text or CSV; with
// --gauge from the archive of one gauge of several polled together. Reads
// the archive of the program folder on its own read-only connection; the
// line is not touched, so it works on a laptop without a gauge.

#include "values/clock.h"
#include "archive/archive_stamp.h"
#include "archive/day_query.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"
#include "link/reading_archive.h"
#include "series/series_load.h"
#include "session/line_gauges.h"

#include <QDir>
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
                     QStringLiteral("--filter"), QStringLiteral("--gauge")},
                    {QStringLiteral("--csv")}, error))
        return UsageError(out, error);
    if (args.Positional().size() != 1)
        return UsageError(out, QStringLiteral("archive: укажите одно имя архива (Freq, Distance, LevelBusy, "
                                              "LevelFree, Reserve, Usil, TmpOfSensor, CurrentOutput)"));
    TSeriesRequest query;
    query.Name = args.Positional().first().trimmed();
    if (!ArchivedNames().contains(query.Name))
        return UsageError(out, QStringLiteral("Неизвестное имя архива: ") + query.Name + QStringLiteral(" (") +
                                   ArchivedNames().join(QStringLiteral(", ")) + QLatin1Char(')'));
    query.FirstDay = Clock().Now().date();
    if (args.Has(QStringLiteral("--day"))) {
        query.FirstDay = QDate::fromString(args.Value(QStringLiteral("--day")), QStringLiteral("yyyy-MM-dd"));
        if (!query.FirstDay.isValid())
            return UsageError(out, QStringLiteral("Дата должна иметь вид ГГГГ-ММ-ДД: ") +
                                       args.Value(QStringLiteral("--day")));
    }
    query.LastDay = query.FirstDay;
    for (const auto &[option, target] : {std::pair{QStringLiteral("--from"), &query.Start},
                                         std::pair{QStringLiteral("--to"), &query.Stop}}) {
        if (!args.Has(option))
            continue;
        QTime time;
        if (!parseTime(args.Value(option), time))
            return UsageError(out, QStringLiteral("Время должно иметь вид ЧЧ:ММ:СС: ") + args.Value(option));
        *target = QDateTime(query.FirstDay, time);
    }
    // As the time graph's range dialog refuses it.
    if (query.Start.isValid() && query.Stop.isValid() && query.Start > query.Stop)
        return UsageError(out, QStringLiteral("Неверный диапазон"));
    query.Filter = args.Value(QStringLiteral("--filter"));
    if (!query.Filter.trimmed().isEmpty() && !CheckDayFilter(query.Filter, error))
        return UsageError(out, QStringLiteral("Неверное условие отбора --filter: ") + error);

    const QString home = TCliSession::ResolveHome(options, environment, error);
    if (home.isEmpty()) {
        out.Error(error);
        return ExitFailed;
    }
    query.DbPath = TCliSession::DbPathOf(home);
    if (args.Has(QStringLiteral("--gauge"))) {
        const QString gauge = args.Value(QStringLiteral("--gauge"));
        if (!IsGaugeFolderName(gauge))
            return UsageError(out, QStringLiteral("Прибор задается как PNnnnnn или Aадрес: ") + gauge);
        query.DbPath = GaugeArchivePath(query.DbPath, gauge);
        if (!QDir(query.DbPath).exists()) {
            out.Error(QStringLiteral("Нет архива прибора: ") + QDir::toNativeSeparators(query.DbPath));
            return ExitFailed;
        }
    }
    const TSeriesLoad load = LoadSeries(query);
    if (!load.Errors.isEmpty()) {
        out.Error(load.Errors.first());
        return ExitFailed;
    }

    const bool csv = args.Has(QStringLiteral("--csv"));
    if (csv)
        out.Line(QStringLiteral("DT,V"));
    for (qint64 i = 0; i < load.Series.Count(); ++i) {
        const TSeriesPoint point = load.Series.At(i);
        const QDateTime dt = ArchiveStampToQDateTime(point.Stamp);
        if (options.json)
            out.Json({{QStringLiteral("DT"), dt.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz"))},
                      {QStringLiteral("V"), point.Value}});
        else if (csv)
            out.Line(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + QLatin1Char(',') + number(point.Value));
        else
            out.Line(dt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss,zzz")) + QLatin1Char(' ') + number(point.Value));
    }
    return ExitOk;
}
