// register list [--plant N] [--kind K] [--from D] [--to D] [--json]
// register show ID [--pdf FILE] [--json]
// register diff --plant N
// register sync
// The gauge register of the program folder: its records newest first, one
// record with its document, the gauge on the line against the newest
// configuration kept of its plant number, and the outbox sent to the
// factory's server. With a server in INI/Register.ini that answers, list,
// show and diff read the server (every bench's records), after sending
// what waits here; otherwise the bench's own file.

#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"
#include "register/register_news.h"
#include "register/register_place.h"
#include "register/register_reading.h"
#include "register/register_store.h"
#include "register/register_sync.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTemporaryDir>

#include <atomic>

namespace {

struct TRegisterRun {
    const TCliOptions &Options;
    const TCliEnvironment &Environment;
    TCliOutput &Out;
    TVerbArguments Args;
    TRegisterPlace Place;
    bool Json = false;
};

bool openForReading(TRegisterRun &run, TRegisterStore &store)
{
    QString note, error;
    const bool open = OpenRegisterForReading(run.Place, store, note, error);
    if (!note.isEmpty())
        run.Out.Error(note);
    if (!open)
        run.Out.Error(error);
    return open;
}

QJsonObject listObject(const TRegisterRecord &r)
{
    QJsonObject object{{QStringLiteral("id"), r.Id},
                       {QStringLiteral("key"), r.Key},
                       {QStringLiteral("plant"), r.Plant},
                       {QStringLiteral("kind"), RecordKindName(r.Kind)},
                       {QStringLiteral("time"), RecordTimeText(r.Time)},
                       {QStringLiteral("bench"), r.Bench},
                       {QStringLiteral("user"), r.User},
                       {QStringLiteral("model"), r.Model},
                       {QStringLiteral("summary"), r.Summary}};
    if (r.Passed)
        object.insert(QStringLiteral("passed"), *r.Passed);
    return object;
}

bool parseDate(TRegisterRun &run, const QString &option, QDate &day, int &status)
{
    if (!run.Args.Has(option))
        return true;
    day = QDate::fromString(run.Args.Value(option), QStringLiteral("yyyy-MM-dd"));
    if (day.isValid())
        return true;
    status = UsageError(run.Out, QStringLiteral("Дата должна иметь вид ГГГГ-ММ-ДД: ") + run.Args.Value(option));
    return false;
}

bool parsePlant(TRegisterRun &run, std::optional<int> &plant, int &status)
{
    if (!run.Args.Has(QStringLiteral("--plant")))
        return true;
    int value = 0;
    QString error;
    if (!run.Args.Int(QStringLiteral("--plant"), 0, 65535, value, error)) {
        status = UsageError(run.Out, error);
        return false;
    }
    plant = value;
    return true;
}

int list(TRegisterRun &run)
{
    TRegisterFilter filter;
    int status = ExitOk;
    if (!parsePlant(run, filter.Plant, status) || !parseDate(run, QStringLiteral("--from"), filter.From, status) ||
        !parseDate(run, QStringLiteral("--to"), filter.To, status))
        return status;
    if (run.Args.Has(QStringLiteral("--kind"))) {
        filter.Kind = RecordKindFromName(run.Args.Value(QStringLiteral("--kind")));
        if (!filter.Kind)
            return UsageError(run.Out, QStringLiteral("Вид записи: testrun, calibration, configuration или bundle"));
    }
    TRegisterStore store;
    if (!openForReading(run, store))
        return ExitFailed;
    QString error;
    const QList<TRegisterRecord> found = store.Find(filter, error);
    if (!error.isEmpty()) {
        run.Out.Error(error);
        return ExitFailed;
    }
    QJsonArray array;
    for (const TRegisterRecord &r : found) {
        if (run.Json)
            array.append(listObject(r));
        else
            run.Out.Line(QStringLiteral("%1 %2 PN%3 %4 %5 %6")
                             .arg(r.Id)
                             .arg(r.Time.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")))
                             .arg(r.Plant, 5, 10, QLatin1Char('0'))
                             .arg(RecordKindName(r.Kind), r.Bench, r.Summary));
    }
    if (run.Json)
        run.Out.Line(QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
    return ExitOk;
}

bool writeDocument(TRegisterRun &run, const TRegisterRecord &r, const QString &path)
{
    if (r.Document.isEmpty()) {
        run.Out.Error(QStringLiteral("В записи ") + QString::number(r.Id) + QStringLiteral(" нет документа"));
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(r.Document) == r.Document.size() && file.commit())
        return true;
    run.Out.Error(QStringLiteral("Не удалось записать файл ") + QDir::toNativeSeparators(path));
    return false;
}

int show(TRegisterRun &run)
{
    bool number = false;
    const qint64 id = run.Args.Positional().size() == 2 ? run.Args.Positional()[1].toLongLong(&number) : 0;
    if (!number)
        return UsageError(run.Out, QStringLiteral("register show: укажите номер записи"));
    TRegisterStore store;
    if (!openForReading(run, store))
        return ExitFailed;
    QString error;
    const std::optional<TRegisterRecord> r = store.Load(id, error);
    if (!r) {
        run.Out.Error(error.isEmpty() ? QStringLiteral("Нет записи ") + QString::number(id) : error);
        return ExitFailed;
    }
    QJsonObject object = listObject(*r);
    object.insert(QStringLiteral("hardVersion"), r->HardVersion);
    object.insert(QStringLiteral("softVersion"), r->SoftVersion);
    object.insert(QStringLiteral("programType"), r->ProgramType);
    object.insert(QStringLiteral("programVersion"), r->ProgramVersion);
    object.insert(QStringLiteral("benchSeq"), r->BenchSeq);
    object.insert(QStringLiteral("document"), r->DocumentName);
    object.insert(QStringLiteral("documentSize"), r->Document.size());
    object.insert(QStringLiteral("details"), r->Details);
    if (run.Json)
        run.Out.Json(object);
    else
        for (const QString &line : QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented))
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            run.Out.Line(line);
    if (run.Args.Has(QStringLiteral("--pdf")) &&
        !writeDocument(run, *r, QDir::current().absoluteFilePath(run.Args.Value(QStringLiteral("--pdf")))))
        return ExitFailed;
    return ExitOk;
}

// The newest snapshot of the plant number, as a file, compared as `diff`
// compares one.
int diff(TRegisterRun &run)
{
    TRegisterFilter filter;
    int status = ExitOk;
    if (!parsePlant(run, filter.Plant, status))
        return status;
    if (!filter.Plant)
        return UsageError(run.Out, QStringLiteral("register diff: укажите --plant N"));
    filter.Kind = TRecordKind::Configuration;
    filter.Limit = 1;
    TRegisterStore store;
    if (!openForReading(run, store))
        return ExitUsage;
    QString error;
    const QList<TRegisterRecord> newest = store.Find(filter, error);
    const std::optional<TRegisterRecord> snapshot =
        newest.isEmpty() ? std::nullopt : store.Load(newest.first().Id, error);
    if (!snapshot) {
        run.Out.Error(error.isEmpty() ? QStringLiteral("В журнале нет параметров прибора с заводским номером ") +
                                            QString::number(*filter.Plant)
                                      : error);
        return ExitUsage;
    }
    const QTemporaryDir scratch;
    const QString path = scratch.filePath(snapshot->DocumentName.isEmpty() ? QStringLiteral("snapshot.ini")
                                                                           : snapshot->DocumentName);
    if (!scratch.isValid() || !writeDocument(run, *snapshot, path))
        return ExitUsage;
    TCliOptions options = run.Options;
    options.verb = QStringLiteral("diff");
    options.args = QStringList{path};
    TCliSession session(options, run.Environment, run.Out);
    return RunDiff(session);
}

int sendWaiting(TRegisterRun &run)
{
    const TSyncResult result = SendOutbox(run.Place);
    if (!result.ServerConfigured && result.Error.isEmpty())
        run.Out.Error(QStringLiteral("Сервер журнала приборов не указан ([Server] Host в INI/Register.ini)"));
    else if (!result.Error.isEmpty())
        run.Out.Error(result.Error);
    if (run.Json)
        run.Out.Json({{QStringLiteral("sent"), result.Sent}, {QStringLiteral("waiting"), result.Waiting}});
    else
        run.Out.Line(QStringLiteral("Отправлено: %1, ждут отправки: %2").arg(result.Sent).arg(result.Waiting));
    return result.Waiting == 0 && result.Error.isEmpty() ? ExitOk : ExitFailed;
}

} // namespace

int RunRegister(const TCliOptions &options, const TCliEnvironment &environment, TCliOutput &out)
{
    TRegisterRun run{options, environment, out, {}, {}, options.json};
    QString error;
    if (!run.Args.Parse(options.args,
                        {QStringLiteral("--plant"), QStringLiteral("--kind"), QStringLiteral("--from"),
                         QStringLiteral("--to"), QStringLiteral("--pdf")},
                        {QStringLiteral("--json")}, error))
        return UsageError(out, error);
    run.Json = run.Json || run.Args.Has(QStringLiteral("--json"));
    const QString what = run.Args.Positional().value(0);
    const QString home = TCliSession::ResolveHome(options, environment, error);
    if (home.isEmpty()) {
        out.Error(error);
        return ExitFailed;
    }
    run.Place = RegisterPlace(home, TCliSession::DbPathOf(home));
    using TAction = int (*)(TRegisterRun &);
    const std::pair<const char *, TAction> actions[] = {
        {"list", list}, {"show", show}, {"diff", diff}, {"sync", sendWaiting}};
    for (const auto &[name, action] : actions)
        if (what == QLatin1String(name))
            return action(run);
    return UsageError(out, QStringLiteral("register: list, show, diff или sync"));
}

int RegisterRecordsAdded()
{
    static std::atomic<int> added{0};
    static const QMetaObject::Connection counting =
        QObject::connect(&RegisterNews(), &TRegisterNews::RecordAdded, [] { ++added; });
    return added;
}

void SendRegisterOutbox(TCliSession &session)
{
    const TRegisterPlace place = RegisterPlace(session.Home(), session.DbPath());
    if (!place.Settings.Server.Configured())
        return;
    const TSyncResult result = SendOutbox(place);
    if (!result.Error.isEmpty())
        session.Out().Error(result.Error + QStringLiteral("; записей ждут отправки: ") +
                            QString::number(result.Waiting));
}
