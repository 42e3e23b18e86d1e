// The polling keeps its period in the request thread and parses where the
// answers arrive: a user-interface thread held in work (a report printed, a
// year of archive reduced) stops neither the passes nor the archive, and
// the readings reach the windows in order once it is free.

#include "protocol/command_codes.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/gauge_session.h"
#include "session/ui_hand_over.h"
#include "sim/simulated_line.h"
#include "support/archive_counts.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

TEST(PollingWhileBusy, AUserInterfaceHeldInWorkStopsNeitherThePassesNorTheArchive)
{
    EnsureCoreApplication();
    TempHome home;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path()); // the exchange log lands there
    TSimulatedLine line{TSimLineConfig{}};
    TGaugeSession session(TGaugeSessionSetup{home.path()}, line);
    const QString db = home.file(QStringLiteral("DATA"));
    session.OpenArchive(db, {});
    QList<QDateTime> fed;
    session.Feed().Subscribe([&](const TReading &reading) {
        if (reading.code == LevelAllRead)
            fed.append(reading.stamp);
    });
    session.Cycle().SetPolled(LevelAllRead, true);
    session.Cycle().SetPolled(TempRead, true);
    TRequestThread &thread = session.RequestThread();
    const quint64 handOvers = session.HandOver().Runs();

    constexpr int PeriodMs = 200;
    constexpr int BlockMs = 10000;
    thread.SetPacing(PeriodMs);
    QThread::msleep(BlockMs); // held in work, not in an event loop
    const quint64 passesDuringBlock = thread.Passes();
    const TArchiveCounts archivedDuringBlock = CountArchive(db, QStringLiteral("LevelBusy"));
    thread.SetPacing(0);

    // Every period had its pass (the first one a period after the start;
    // a loaded machine with two cores may let a few slip), and every
    // reading was archived while the thread was held.
    EXPECT_GE(passesDuringBlock, quint64(BlockMs / PeriodMs * 9 / 10));
    EXPECT_LE(passesDuringBlock, quint64(BlockMs / PeriodMs));
    EXPECT_GE(archivedDuringBlock.rows, int(passesDuringBlock));
    EXPECT_TRUE(fed.isEmpty()) << "nothing reaches the windows while their thread is held";

    QElapsedTimer t;
    t.start();
    while (thread.InPass() && t.elapsed() < 5000)
        QThread::msleep(5);
    const quint64 passes = thread.Passes();
    while (fed.size() < int(passes) && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    // One reading per pass, in the order of the passes, none twice, each the
    // one archived.
    const TArchiveCounts archived = CountArchive(db, QStringLiteral("LevelBusy"));
    EXPECT_EQ(fed.size(), int(passes));
    EXPECT_EQ(archived.rows, int(passes));
    EXPECT_EQ(archived.lines, int(passes));
    for (int i = 1; i < fed.size(); ++i)
        EXPECT_LT(fed[i - 1], fed[i]) << "reading " << i;
    EXPECT_EQ(session.HandOver().Runs(), handOvers) << "a pass waits on no other thread";
    QDir::setCurrent(oldDir);
}
