// Soak: 10,000 polling exchanges with the simulated gauge and current-loop
// meter on a line that spoils one answer in five (every kind of fault),
// while the user-interface thread keeps sending the operator's commands,
// with retries, and reads both arrays now and then. Run under the
// sanitizers by `make soak`: no crash, no deadlock, no leak, and the
// archive holds exactly one row and one text line for every reading the
// polling accepted.

#include "app/custom_timer.h"
#include "archive/value_archive.h"
#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/array_read.h"
#include "session/command_sender.h"
#include "session/gauge_session.h"
#include "support/recording_operator.h"
#include "sim/simulated_line.h"
#include "support/archive_counts.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>

namespace {

constexpr quint64 PollingExchanges = 10000;
constexpr int NoProgressLimitMs = 60000;

} // namespace

TEST(PollingSoakTest, TenThousandExchangesWithFaultsAndOperatorCommands)
{
    EnsureCoreApplication();
    TempHome home;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path());

    TSimLineConfig config;
    config.faults.seed = 20261208;
    config.faults.rate = 0.2;
    config.faults.splitPauseMs = 30;
    TSimulatedLine line(config);

    TGaugeSession session(TGaugeSessionSetup{home.path()}, line);
    Ttolm472 &model = session.Model();
    TRequestCycle &cycle = session.Cycle();
    for (TPortParameters *set : {&cycle.PortParametersTolm, &cycle.PortParametersLumidor}) {
        set->ReadInterval = 10; // below the split pause, so split answers stay split
        set->ReadTotalConstant = 25;
        set->ReadTotalMultiplier = 0;
    }
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);
    cycle.SetDeviceEnabled(1, true);

    std::atomic<int> archiveFailures{0};
    session.OpenArchive(home.file("DATA"), [&](const QString &) { ++archiveFailures; });
    QMap<QString, int> accepted;
    session.Feed().Subscribe([&](const TReading &reading) {
        for (const TArchivedValue &v : reading.values)
            ++accepted[v.name];
    });

    QThread *const uiThread = QThread::currentThread();
    std::atomic<quint64> pollExchanges{0};
    std::atomic<quint64> operatorExchanges{0};
    line.SetOnExchange([&](TLine *, const QByteArray &, bool, const QByteArray &) {
        if (QThread::currentThread() == uiThread)
            ++operatorExchanges;
        else
            ++pollExchanges;
    });

    RecordingHost host;
    TCommandSender sender(cycle, model, session.HandOver(), host);
    TRequestThread &thread = session.RequestThread();
    TCustomTimer timer;
    timer.SetName("ctReqDevices");
    timer.SetInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] { thread.OnPollTick(); });

    // The operator: single reads, commands with retries, and now and then a
    // whole array read, which holds the user-interface thread for seconds
    // while the polling waits for it to parse.
    std::mt19937 random(7);
    int commands = 0;
    int arrayReads = 0;
    int failedCommands = 0;
    TCaptureCounters counters;
    counters.Reset(QDateTime::currentDateTime());
    QTimer operatorTimer;
    QObject::connect(&operatorTimer, &QTimer::timeout, [&] {
        ++commands;
        const quint64 done = pollExchanges;
        if ((arrayReads == 0 && done > PollingExchanges / 3) || (arrayReads == 1 && done > 2 * PollingExchanges / 3)) {
            ++arrayReads;
            if (arrayReads == 1)
                ReadSpectrum(sender, host, counters, home.file("DATA"));
            else
                ReadSignal(sender, host, counters, home.file("DATA"));
            return;
        }
        bool ok = true;
        switch (random() % 5) {
        case 0: ok = sender.Exchange(Echo); break;
        case 1: ok = sender.Exchange(LevelAllRead); break;
        case 2: ok = sender.SendCommandWithRetries(HmaxRead, "Считать Hmax из прибора", 5); break;
        case 3: ok = sender.SendCommandWithRetries(KKalmanWrite, "Записать коэффициент сглаживания в прибор", 5); break;
        default: ok = sender.SendCommandWithRetries(SignatureRead, "Считать сигнатуру прибора", 5); break;
        }
        failedCommands += ok ? 0 : 1;
    });

    QEventLoop loop;
    bool stopping = false;
    quint64 lastProgress = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const quint64 now = pollExchanges + operatorExchanges;
        if (now != lastProgress) {
            lastProgress = now;
            sinceProgress.restart();
        } else if (sinceProgress.elapsed() > NoProgressLimitMs) {
            std::fprintf(stderr, "soak: no exchange for %d s after %llu polling exchanges: deadlock\n",
                         NoProgressLimitMs / 1000, static_cast<unsigned long long>(pollExchanges.load()));
            std::abort();
        }
        if (!stopping && pollExchanges >= PollingExchanges) {
            stopping = true;
            timer.Stop();
            operatorTimer.stop();
        }
        if (stopping && !thread.InPass())
            loop.quit();
    });

    QElapsedTimer elapsed;
    elapsed.start();
    watch.start(20);
    operatorTimer.start(5);
    timer.Start();
    loop.exec();
    thread.Terminate();
    QCoreApplication::sendPostedEvents(); // the last readings reach the feed's listener
    session.CloseArchive();
    const double seconds = double(elapsed.elapsed()) / 1000;

    EXPECT_GE(pollExchanges.load(), PollingExchanges);
    EXPECT_EQ(arrayReads, 2);
    EXPECT_EQ(archiveFailures.load(), 0);
    int acceptedValues = 0;
    for (const QString name :
         {"Freq", "Distance", "LevelBusy", "LevelFree", "Reserve", "Usil", "TmpOfSensor", "CurrentOutput"}) {
        const TArchiveCounts stored = CountArchive(home.file("DATA"), name);
        EXPECT_GT(accepted.value(name), 0) << name.toStdString();
        EXPECT_EQ(stored.rows, accepted.value(name)) << name.toStdString();
        EXPECT_EQ(stored.lines, accepted.value(name)) << name.toStdString();
        acceptedValues += accepted.value(name);
    }
    const int readings = accepted.value("Freq") + accepted.value("TmpOfSensor") + accepted.value("CurrentOutput");
    std::printf("soak: %llu polling exchanges in %llu passes, %d readings accepted (%d values archived), "
                "%llu operator exchanges from %d commands (%d failed), %d array reads, %.1f s\n",
                static_cast<unsigned long long>(pollExchanges.load()),
                static_cast<unsigned long long>(thread.Passes()), readings, acceptedValues,
                static_cast<unsigned long long>(operatorExchanges.load()), commands, failedCommands, arrayReads,
                seconds);
    RecordProperty("polling_exchanges", int(pollExchanges.load()));
    RecordProperty("accepted_readings", readings);
    RecordProperty("seconds", int(seconds));
    QDir::setCurrent(oldDir);
}
