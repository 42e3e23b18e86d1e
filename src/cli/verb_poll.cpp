// poll [--period MS] [--count N] [--codes 6,63] [--lumidor]
//      [--addresses 1,2,5 | --all]: polling passes as the program runs them.
// The polling timer ticks in this (the user-interface) thread and wakes the
// request thread for one pass per tick; every accepted reading is archived
// by the pass and then printed.
//
// Several gauges (the burn-in rack): each pass asks every gauge in address
// order; each gauge's readings go into its own archive folder (named by the
// plant number its signature gives), and each printed line names the
// address.

#include "values/clock.h"
#include "app/custom_timer.h"
#include "archive/value_archive.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"
#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "link/reading_archive.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/gauge_session.h"
#include "session/line_gauges.h"
#include "session/line_scan.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonObject>
#include <QTimer>

#include <atomic>
#include <csignal>

namespace {

constexpr int DefaultPeriodMs = 1000;
constexpr int MinPeriodMs = 10;
constexpr int WatchMs = 20;

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int)
{
    g_interrupted = true;
}

// Ctrl+C or a polite kill ends the polling after the running pass, with the
// archive closed properly.
class TInterruptScope
{
public:
    TInterruptScope()
    {
        g_interrupted = false;
        m_int = std::signal(SIGINT, onInterrupt);
        m_term = std::signal(SIGTERM, onInterrupt);
    }
    ~TInterruptScope()
    {
        std::signal(SIGINT, m_int);
        std::signal(SIGTERM, m_term);
    }

private:
    void (*m_int)(int);
    void (*m_term)(int);
};

// "6,63" or "LevelAllRead,TempRead": the gauge commands of the poll set.
bool parseCodes(const QString &text, QList<int> &codes, QString &error)
{
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        qint64 code = -1;
        if (!ParseInteger(part, 0, CommandCount - 1, code))
            code = CommandByName(part.trimmed());
        if (code < 0 || CommandName(int(code)).isEmpty()) {
            error = QStringLiteral("Неизвестная команда прибора в --codes: ") + part;
            return false;
        }
        codes.append(int(code));
    }
    return true;
}

QString commandName(int code)
{
    return code == CurrentOutputReading ? QStringLiteral("CurrentOutput") : CommandName(code);
}

// address: 0 leaves it out (one gauge, or the meter).
void printReading(TCliOutput &out, bool json, int address, int code, const QVector<TArchivedValue> &values)
{
    const QDateTime now = Clock().Now();
    if (json) {
        QJsonObject set;
        for (const TArchivedValue &v : values)
            set.insert(v.name, v.value);
        QJsonObject line{{QStringLiteral("time"), now.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz"))},
                         {QStringLiteral("code"), code},
                         {QStringLiteral("command"), commandName(code)},
                         {QStringLiteral("values"), set}};
        if (address)
            line.insert(QStringLiteral("address"), address);
        out.Json(line);
        return;
    }
    QString line = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + QLatin1Char(' ');
    if (address)
        line += QString::number(address) + QLatin1Char(' ');
    line += commandName(code);
    for (const TArchivedValue &v : values)
        line += QLatin1Char(' ') + v.name + QLatin1Char('=') + QString::number(v.value, 'f', v.digits);
    out.Line(line);
}

// "1,2,5": the gauges to poll, each once, in address order.
bool parseAddresses(const QString &text, std::vector<TLineGauge> &gauges, QString &error)
{
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        qint64 address = 0;
        if (!ParseInteger(part, 1, 255, address)) {
            error = QStringLiteral("Неверный адрес в --addresses (1..255): ") + part;
            return false;
        }
        TLineGauge gauge;
        gauge.Address = int(address);
        MergeLineGauge(gauges, gauge);
    }
    if (gauges.empty())
        error = QStringLiteral("poll: пустой список --addresses");
    return !gauges.empty();
}

// The readings `passes` passes bring when every answer comes: the gauge's
// passes bring one per polled command that archives from each gauge, the
// meter's one. With both on the line the passes take turns, the meter's
// first.
quint64 expectedReadings(const QList<int> &codes, int gauges, bool lumidor, quint64 passes)
{
    quint64 perGaugePass = 0;
    for (int code : codes)
        if (ArchivesReading(code))
            perGaugePass += quint64(gauges);
    const bool gauge = !codes.isEmpty();
    const quint64 meterPasses = !lumidor ? 0 : gauge ? (passes + 1) / 2 : passes;
    return meterPasses + (passes - meterPasses) * perGaugePass;
}

// The first of `gauges` becomes the session's gauge, every one is polled;
// a gauge the file does not know by plant number is asked its signature
// first, so its archive is named by it.
void pickLineGauges(TCliSession &session, std::vector<TLineGauge> &gauges, bool meterOnly)
{
    session.Model().SetSystemAddress(uint8_t(gauges.front().Address));
    for (TLineGauge &gauge : gauges) {
        gauge.Polled = true;
        if (gauge.PlantNumber == 0 && gauges.size() > 1 && !meterOnly)
            if (const TFoundGauge found = IdentifyGauge(session.Cycle(), gauge.Address); found.Identified)
                gauge.PlantNumber = found.PlantNumber;
    }
    session.Session().SetLineGauges(gauges);
}

} // namespace

int RunPoll(TCliSession &session)
{
    TCliOutput &out = session.Out();
    TVerbArguments args;
    QString error;
    if (!args.Parse(session.Options().args,
                    {QStringLiteral("--period"), QStringLiteral("--count"), QStringLiteral("--codes"),
                     QStringLiteral("--addresses")},
                    {QStringLiteral("--lumidor"), QStringLiteral("--all")}, error))
        return UsageError(out, error);
    if (!args.Positional().isEmpty())
        return UsageError(out, QStringLiteral("poll: лишний аргумент ") + args.Positional().first());
    int period = DefaultPeriodMs;
    int count = 0;
    QList<int> codes{LevelAllRead}; // what the program polls after its start
    if (!args.Int(QStringLiteral("--period"), MinPeriodMs, 3600000, period, error) ||
        !args.Int(QStringLiteral("--count"), 0, 1000000000, count, error))
        return UsageError(out, error);
    if (args.Has(QStringLiteral("--codes"))) {
        codes.clear();
        if (!parseCodes(args.Value(QStringLiteral("--codes")), codes, error))
            return UsageError(out, error);
    }
    if (codes.isEmpty() && !args.Has(QStringLiteral("--lumidor")))
        return UsageError(out, QStringLiteral("poll: нечего опрашивать (пустой --codes без --lumidor)"));
    if (args.Has(QStringLiteral("--addresses")) && args.Has(QStringLiteral("--all")))
        return UsageError(out, QStringLiteral("poll: --addresses и --all вместе"));
    std::vector<TLineGauge> gauges;
    if (args.Has(QStringLiteral("--addresses")) &&
        !parseAddresses(args.Value(QStringLiteral("--addresses")), gauges, error))
        return UsageError(out, error);
    if (args.Has(QStringLiteral("--all"))) {
        gauges = LoadLineGauges(session.Home());
        if (gauges.empty()) {
            out.Error(QStringLiteral("Нет приборов в ") + LineGaugesFileName(session.Home()));
            return ExitFailed;
        }
    }
    if (!OpenSession(session))
        return ExitFailed;
    const bool several = gauges.size() > 1;
    if (!gauges.empty())
        pickLineGauges(session, gauges, codes.isEmpty());

    TRequestCycle &cycle = session.Cycle();
    cycle.ClearPollSet();
    for (int code : codes)
        cycle.SetPolled(code, true);
    cycle.SetDeviceEnabled(0, !codes.isEmpty());
    cycle.SetDeviceEnabled(1, args.Has(QStringLiteral("--lumidor")));

    const auto tell = [&out](const QString &text) { out.Error(text); };
    TValueArchive &archive = session.Session().OpenArchive(session.DbPath(), tell, tell);
    std::atomic<quint64> readings{0};
    const bool json = session.Options().json;
    // Several gauges: theirs from the line feed, with the address; the
    // meter's from the feed.
    const int listener = session.Session().Feed().Subscribe([&](const TReading &reading) {
        if (several && reading.address != 0)
            return;
        printReading(out, json, 0, reading.code, reading.values);
        ++readings;
    });
    const int lineListener = session.Session().LineFeed().Subscribe([&](const TLineAnswer &answer) {
        if (!several || answer.values.isEmpty())
            return;
        printReading(out, json, answer.address, answer.code, answer.values);
        ++readings;
    });

    TRequestThread &thread = session.Session().RequestThread();
    TCustomTimer timer;
    timer.SetName(QStringLiteral("ctReqDevices"));
    timer.SetInterval(period);
    QEventLoop loop;
    bool stopping = false;
    const auto stop = [&] {
        stopping = true;
        timer.Stop();
    };
    thread.OnStopPolling = stop; // no device left to poll
    const auto tick = [&] {
        // A tick starts at most one pass; the last of --count is not
        // followed by another.
        const quint64 started = thread.Passes() + (thread.InPass() ? 1 : 0);
        if (count > 0 && started >= quint64(count))
            return stop();
        thread.OnPollTick();
    };
    QObject::connect(&timer, &QTimer::timeout, tick);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (g_interrupted || (count > 0 && thread.Passes() >= quint64(count)))
            stop();
        if (stopping && !thread.InPass())
            loop.quit();
    });

    TInterruptScope interrupt;
    watch.start(WatchMs);
    timer.Start();
    QTimer::singleShot(0, &timer, tick); // the first pass at once, not after a period
    loop.exec();
    watch.stop();
    thread.Terminate();
    // The last readings of the last pass are still on their way.
    QCoreApplication::sendPostedEvents();
    session.Session().Feed().Unsubscribe(listener);
    session.Session().LineFeed().Unsubscribe(lineListener);
    const QStringList failedFiles = archive.FailedFiles();
    session.Session().CloseArchive();

    if (readings == 0) {
        out.Error(QStringLiteral("Не принято ни одного показания: ") + session.Model().LastErrorText);
        return ExitFailed;
    }
    const quint64 expected = expectedReadings(codes, std::max(1, int(gauges.size())),
                                              args.Has(QStringLiteral("--lumidor")),
                                              thread.Passes());
    const bool allRead = readings >= expected;
    if (!allRead)
        out.Error(QStringLiteral("Не принято показаний: %1 из %2 за %3 проходов опроса")
                      .arg(expected - readings)
                      .arg(expected)
                      .arg(thread.Passes()));
    if (!failedFiles.isEmpty())
        out.Error(QStringLiteral("Не записаны в архив: ") + failedFiles.join(QStringLiteral(", ")));
    return allRead && failedFiles.isEmpty() ? ExitOk : ExitFailed;
}
