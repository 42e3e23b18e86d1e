// The USB adapter pulled out while polling runs and plugged in again under
// the same name: the real transmitter on a pseudo-terminal behind a fixed
// name, the gauge session with its request cycle, request thread and value
// archive.
#include "archive/value_archive.h"
#include "protocol/command_codes.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "link/transmitter.h"
#include "session/gauge_session.h"
#include "pluggable_adapter.h"
#include "support/archive_counts.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

class PortReconnectTest : public ::testing::Test
{
protected:
    PortReconnectTest()
    {
        EnsureCoreApplication();
        QDir::setCurrent(home.path()); // the exchange log lands there
        transmitter.SetOnErrorMessage([this](const QString &, const QString &text) { messages << text; });
        transmitter.SetOnExchange([this](TLine *, const QByteArray &, bool answered, const QByteArray &) {
            ++(answered ? answers : silences);
        });
        transmitter.SetOnOutage([this](TLine *) { ++outageNotices; });
        session.OpenArchive(home.file(QStringLiteral("DATA")), {});
        session.Feed().Subscribe([this](const TReading &) { ++readings; });
        cycle.SetPolled(DistanceRead, true);
    }
    ~PortReconnectTest() override
    {
        thread.Terminate();
        QDir::setCurrent(m_oldDir);
    }

    // Polling ticks every 20 ms for `ms`, or until `done`; whether `done`
    // came true.
    bool poll(int ms, const std::function<bool()> &done = {})
    {
        if (!thread.isRunning())
            thread.start();
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            if (done && done())
                return true;
            thread.Resume();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return done && done();
    }
    // The adapter plugged in and its port opened by the transmitter.
    bool plugInAndOpen()
    {
        if (!adapter.plugIn())
            return false;
        transmitter.SetPortName(adapter.name());
        return transmitter.Open();
    }
    // The adapter pulled out while polling; whether the loss was noticed.
    bool pullOutWhilePolling()
    {
        adapter.pullOut();
        return poll(2000, [&] { return transmitter.Outage().LostAt.isValid(); });
    }
    int logLinesWithoutAnswer() const
    {
        QFile log(home.file(cycle.ExchangeLogFileName()));
        return log.open(QIODevice::ReadOnly) ? int(log.readAll().count("-> []")) : 0;
    }

    const bool m_app = (EnsureCoreApplication(), true); // before the port's thread starts
    QString m_oldDir = QDir::currentPath();
    TempHome home;
    TPluggableAdapter adapter{home.file(QStringLiteral("ttyUSB0"))};
    TTransmitter transmitter{home.path()};
    TGaugeSession session{TGaugeSessionSetup{home.path()}, transmitter};
    TRequestCycle &cycle = session.Cycle();
    TRequestThread &thread = session.RequestThread();
    QStringList messages;
    std::atomic<int> answers{0};
    std::atomic<int> silences{0};
    std::atomic<int> outageNotices{0};
    std::atomic<int> readings{0};
};

} // namespace

TEST_F(PortReconnectTest, PollingGoesOnWhenThePulledAdapterIsBackAndTheOutageArchivesNothing)
{
    ASSERT_TRUE(plugInAndOpen()) << transmitter.LastError().toStdString();
    ASSERT_TRUE(poll(5000, [&] { return readings >= 3; }));

    ASSERT_TRUE(pullOutWhilePolling());
    EXPECT_FALSE(transmitter.IsOpen());
    // The exchange that found the port gone is still counted as it ends in
    // the request thread; the counts are taken once it has.
    poll(100);
    const int atLoss = readings;
    const int exchangesAtLoss = answers + silences;
    poll(700); // the adapter stays away: passes end at once, tries fail quietly
    EXPECT_EQ(readings, atLoss);
    EXPECT_EQ(answers + silences, exchangesAtLoss) << "nothing is counted while the port is away";
    EXPECT_FALSE(transmitter.Outage().BackAt.isValid());

    ASSERT_TRUE(adapter.plugIn());
    QElapsedTimer sinceReturn;
    sinceReturn.start();
    ASSERT_TRUE(poll(3000, [&] { return transmitter.IsOpen(); }));
    EXPECT_LE(sinceReturn.elapsed(), 2000);
    ASSERT_TRUE(poll(5000, [&] { return readings >= atLoss + 3; })) << "polling goes on";
    thread.Terminate();

    const TLineOutage outage = transmitter.Outage();
    EXPECT_TRUE(outage.BackAt.isValid());
    EXPECT_LE(outage.LostAt, outage.BackAt);
    EXPECT_EQ(outageNotices, 2);
    EXPECT_TRUE(messages.isEmpty()) << "no message box for the tries: " << messages.join('|').toStdString();
    // At most the one exchange that found the adapter gone went unanswered.
    EXPECT_LE(silences, 1);
    EXPECT_EQ(logLinesWithoutAnswer(), silences);

    // Every accepted reading is in the archive once, none from the outage.
    QCoreApplication::sendPostedEvents(); // the last readings reach the feed
    session.Archive()->CloseTables();
    EXPECT_EQ(readings, answers);
    const TArchiveCounts counts = CountArchive(home.file(QStringLiteral("DATA")), QStringLiteral("Distance"));
    EXPECT_EQ(counts.rows, readings);
    EXPECT_EQ(counts.lines, readings);
}

// The operator's "СОМ порт" while the adapter is away takes the port over:
// a quiet try must not open the old port under the setup dialog.
TEST_F(PortReconnectTest, OperatorsCloseEndsTheTries)
{
    ASSERT_TRUE(plugInAndOpen());
    ASSERT_TRUE(poll(5000, [&] { return readings >= 1; }));
    ASSERT_TRUE(pullOutWhilePolling());
    thread.Terminate();

    transmitter.Close();
    ASSERT_TRUE(adapter.plugIn());
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 1200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(transmitter.IsOpen());
    EXPECT_FALSE(transmitter.Outage().BackAt.isValid());

    ASSERT_TRUE(transmitter.Open());
    EXPECT_TRUE(transmitter.Outage().BackAt.isValid());
}

// Pulled and put back twenty times while polling runs: the port is made and
// deleted in its own thread each time (a Qt thread warning fails the test),
// and polling comes back after every return.
TEST_F(PortReconnectTest, TwentyReturnsOfTheAdapterWhilePolling)
{
    ASSERT_TRUE(plugInAndOpen());
    for (int round = 0; round < 20; ++round) {
        const int before = readings;
        ASSERT_TRUE(poll(5000, [&] { return readings > before; })) << "round " << round;
        adapter.pullOut();
        ASSERT_TRUE(poll(3000, [&] { return !transmitter.IsOpen(); })) << "round " << round;
        ASSERT_TRUE(adapter.plugIn());
    }
    const int before = readings;
    EXPECT_TRUE(poll(5000, [&] { return readings > before; }));
    EXPECT_TRUE(messages.isEmpty());
}

// Pulled and put back while nothing polled: the next command's exchange
// finds the port open again, whatever the tries' timer did meanwhile.
TEST_F(PortReconnectTest, AnAdapterBackWhileIdleServesTheNextCommand)
{
    ASSERT_TRUE(plugInAndOpen());
    ASSERT_TRUE(poll(5000, [&] { return readings >= 1; }));
    ASSERT_TRUE(pullOutWhilePolling());
    ASSERT_TRUE(adapter.plugIn());
    // At once, before a try of the timer could come.
    EXPECT_TRUE(cycle.Exchange(cycle.ReadRequest(DistanceRead)).Accepted());
    EXPECT_TRUE(transmitter.IsOpen());
}
