// Soak: polling the simulated gauge with the program folder on a small file
// system of its own, which the archive fills; then space is freed and the
// polling goes on. Run by `make soak` (TOLM_SOAK_SECONDS sets the length of
// the three phases together, 60 s unless given): every table passes its
// integrity check, holds a row for every line of its text file, nothing
// archived before the disk filled is lost, and the archive writes again
// once there is room.

#include "app/custom_timer.h"
#include "archive/value_archive.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "protocol/command_codes.h"
#include "session/gauge_session.h"
#include "sim/simulated_line.h"
#include "support/archive_counts.h"
#include "support/archive_health.h"
#include "support/core_application.h"
#include "support/small_disk.h"
#include "support/soak_length.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

const QStringList kNames{"Freq", "Distance", "LevelBusy", "LevelFree", "Reserve", "Usil", "TmpOfSensor"};

int totalRows(const QString &dbPath)
{
    int rows = 0;
    for (const QString &name : kNames)
        rows += CountArchive(dbPath, name).rows;
    return rows;
}

} // namespace

TEST(FullDiskSoakTest, TheArchiveFillsItsDiskAndResumesWhenSpaceIsFreed)
{
    EnsureCoreApplication();
    SmallDisk disk(16384);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.SkipReason().toStdString();
    ASSERT_TRUE(QDir().mkpath(disk.file("INI")));
    const QString dbPath = disk.file("DATA");

    TSimLineConfig config;
    config.faults.seed = 20261209;
    config.faults.rate = 0.1;
    TSimulatedLine line(config);
    TGaugeSession session(TGaugeSessionSetup{disk.path()}, line);
    TRequestCycle &cycle = session.Cycle();
    for (TPortParameters *set : {&cycle.PortParametersTolm, &cycle.PortParametersLumidor}) {
        set->ReadInterval = 10;
        set->ReadTotalConstant = 25;
        set->ReadTotalMultiplier = 0;
    }
    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);

    int stops = 0, resumes = 0;
    TValueArchive &archive = session.OpenArchive(dbPath, [&](const QString &) { ++stops; });
    archive.SetResumeHandler([&](const QString &) { ++resumes; });

    TRequestThread &thread = session.RequestThread();
    TCustomTimer timer;
    timer.SetName("ctReqDevices");
    timer.SetInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] { thread.OnPollTick(); });

    const int phaseMs = SoakSeconds() * 1000 / 3;
    int rowsBeforeFull = 0, rowsWhileFull = 0;
    QEventLoop loop;
    QTimer::singleShot(phaseMs, [&] {
        rowsBeforeFull = totalRows(dbPath);
        disk.Fill(64 * 1024);
    });
    // A reader of a table needs some room too: counted once space is back.
    QTimer::singleShot(2 * phaseMs, [&] {
        disk.Free();
        rowsWhileFull = totalRows(dbPath);
    });
    QTimer::singleShot(3 * phaseMs, [&] {
        timer.Stop();
        loop.quit();
    });
    timer.Start();
    loop.exec();
    thread.Terminate();
    const bool failingAtEnd = archive.Failing();
    session.CloseArchive();
    const int rowsAtEnd = totalRows(dbPath);

    EXPECT_EQ(ArchiveProblems(dbPath).join('|').toStdString(), "");
    EXPECT_GT(rowsBeforeFull, 0);
    EXPECT_GE(rowsWhileFull, rowsBeforeFull) << "a value archived before the disk filled was lost";
    EXPECT_GT(rowsAtEnd, rowsWhileFull) << "archiving did not resume";
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(resumes, 1);
    EXPECT_FALSE(failingAtEnd);
    std::printf("full-disk soak: %llu passes in %d s; rows before the disk filled %d, when space was freed %d, "
                "at the end %d\n",
                static_cast<unsigned long long>(thread.Passes()), SoakSeconds(), rowsBeforeFull, rowsWhileFull,
                rowsAtEnd);
}
