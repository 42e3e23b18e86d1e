// The gauge session on the simulated line: the readings a polling pass
// accepts are archived and reach every listener of the feed in the
// user-interface thread, in order, with the stamp they were archived under;
// a closed archive takes nothing more while the feed goes on.

#include "values/clock.h"
#include "protocol/command_codes.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/gauge_session.h"
#include "sim/simulated_line.h"
#include "support/archive_counts.h"
#include "support/core_application.h"
#include "support/manual_clock.h"
#include "support/run_passes.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

class GaugeSessionTest : public ::testing::Test
{
protected:
    GaugeSessionTest()
    {
        EnsureCoreApplication();
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(home.path()); // the exchange log
    }
    ~GaugeSessionTest() override { QDir::setCurrent(m_oldDir); }

    // Runs `count` passes in the request thread and lets the queued
    // readings arrive.
    void RunPasses(int count)
    {
        ::RunPasses(session.RequestThread(), count);
        QCoreApplication::sendPostedEvents();
    }

    TempHome home;
    ManualClockScope clock{QDateTime(QDate(2026, 12, 8), QTime(10, 15, 0))};
    TSimulatedLine line{TSimLineConfig{}};
    TGaugeSession session{TGaugeSessionSetup{home.path()}, line};

private:
    QString m_oldDir;
};

TEST_F(GaugeSessionTest, EveryListenerGetsEachArchivedReadingInOrderInTheUserInterfaceThread)
{
    TRequestCycle &cycle = session.Cycle();
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);
    cycle.SetDeviceEnabled(1, true);
    session.OpenArchive(home.file(QStringLiteral("DATA")), {});

    QThread *const ui = QThread::currentThread();
    QList<int> first, second;
    QList<QDateTime> stamps;
    int otherThread = 0;
    const int a = session.Feed().Subscribe([&](const TReading &r) {
        otherThread += QThread::currentThread() == ui ? 0 : 1;
        first.append(r.code);
        stamps.append(r.stamp);
    });
    session.Feed().Subscribe([&](const TReading &r) { second.append(r.code); });

    // Meter, gauge (two readings), meter.
    RunPasses(3);
    const QList<int> expected{CurrentOutputReading, LevelAllRead, TempRead, CurrentOutputReading};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(second, expected);
    EXPECT_EQ(otherThread, 0);
    for (const QDateTime &stamp : std::as_const(stamps))
        EXPECT_EQ(stamp, Clock().Now());
    const QString db = home.file(QStringLiteral("DATA"));
    session.Archive()->CloseTables();
    EXPECT_EQ(CountArchive(db, QStringLiteral("Freq")).rows, 1);
    EXPECT_EQ(CountArchive(db, QStringLiteral("TmpOfSensor")).lines, 1);
    EXPECT_EQ(CountArchive(db, QStringLiteral("CurrentOutput")).rows, 2);

    // One listener leaves, the archive closes: the other still hears the
    // readings, nothing more is stored.
    session.Feed().Unsubscribe(a);
    session.CloseArchive();
    RunPasses(1);
    EXPECT_EQ(first.size(), expected.size());
    EXPECT_EQ(second.size(), expected.size() + 2);
    EXPECT_EQ(CountArchive(db, QStringLiteral("Freq")).rows, 1);
}

} // namespace
