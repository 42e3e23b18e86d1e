// Soak: polling LevelAllRead + TempRead back to back on the simulated gauge
// with its line timing (9600 baud, 5 ms turnaround), archiving, while the
// user-interface thread is held in work for 2 s of every 10 s (a report
// printed, a year of archive reduced). Run by `make soak` (TOLM_SOAK_SECONDS,
// 60 s unless given). The passes run, parse and archive in the request
// thread: the pass ratio (wall time per pass over the pass's time on the
// line) while the thread is held stays within 5 % of the ratio while it is
// free, and every reading reaches the feed once the thread is free. (The
// ratio itself belongs to the release build's benchmark: under the
// sanitizers a pass's parse, log and archive cost several times more.)

#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "protocol/command_codes.h"
#include "session/gauge_session.h"
#include "sim/line_timing.h"
#include "sim/simulated_line.h"
#include "support/archive_counts.h"
#include "support/core_application.h"
#include "support/soak_length.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr int kBaud = 9600;
constexpr int kTurnaroundMs = 5;
constexpr int kAddressPauseMs = 3;
constexpr int kPassBytes = (5 + 29) + (6 + 6); // both commands, CRC included

double lineMsPerPass()
{
    return double(LineTimeUs(kPassBytes, kBaud, true)) / 1000.0 + 2 * (kTurnaroundMs + kAddressPauseMs);
}

} // namespace

TEST(BlockedUiPollingSoak, PassesKeepTheirLineTimeWhileTheUserInterfaceIsHeld)
{
    EnsureCoreApplication();
    TempHome home;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path()); // the exchange log
    TSimLineConfig config;
    config.timing.enabled = true;
    config.timing.baud = kBaud;
    config.timing.turnaroundMs = kTurnaroundMs;
    TSimulatedLine line(config);
    TGaugeSession session(TGaugeSessionSetup{home.path()}, line);
    const QString db = home.file(QStringLiteral("DATA"));
    session.OpenArchive(db, {});
    int fed = 0;
    session.Feed().Subscribe([&](const TReading &reading) { fed += reading.code == LevelAllRead ? 1 : 0; });
    session.Cycle().SetPolled(LevelAllRead, true);
    session.Cycle().SetPolled(TempRead, true);
    TRequestThread &thread = session.RequestThread();

    const qint64 durationMs = qint64(SoakSeconds()) * 1000;
    // A period shorter than any pass: each pass starts as the one before ends.
    thread.SetPacing(1);
    QElapsedTimer run;
    run.start();
    const quint64 passesAtStart = thread.Passes();
    quint64 heldPasses = 0;
    qint64 heldMs = 0;
    while (run.elapsed() < durationMs) {
        const qint64 freeUntil = run.elapsed() + 8000;
        while (run.elapsed() < freeUntil)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const quint64 before = thread.Passes();
        QElapsedTimer held;
        held.start();
        QThread::msleep(2000); // held in work, not in an event loop
        heldPasses += thread.Passes() - before;
        heldMs += held.elapsed();
    }
    const quint64 passes = thread.Passes() - passesAtStart;
    const qint64 elapsedMs = run.elapsed();
    thread.SetPacing(0);
    thread.Terminate();
    QCoreApplication::processEvents();
    session.CloseArchive();
    QDir::setCurrent(oldDir);

    ASSERT_GT(passes, 0u);
    ASSERT_GT(heldPasses, 0u);
    ASSERT_GT(passes, heldPasses);
    const double ratio = double(elapsedMs) / double(passes) / lineMsPerPass();
    const double heldRatio = double(heldMs) / double(heldPasses) / lineMsPerPass();
    const double freeRatio = double(elapsedMs - heldMs) / double(passes - heldPasses) / lineMsPerPass();
    const TArchiveCounts archived = CountArchive(db, QStringLiteral("LevelBusy"));
    std::printf("[ soak ] %.1f s of back-to-back passes (LevelAllRead + TempRead, %.1f ms on the line each), the "
                "user-interface thread held 2 s of every 10 s: %llu passes, ratio %.3f overall, %.3f while free, %.3f "
                "while held (%llu passes in %.1f s held); %d LevelAllRead readings fed, %d rows and %d lines "
                "archived\n",
                double(elapsedMs) / 1000, lineMsPerPass(), static_cast<unsigned long long>(passes), ratio, freeRatio,
                heldRatio,
                static_cast<unsigned long long>(heldPasses), double(heldMs) / 1000, fed, archived.rows,
                archived.lines);
    EXPECT_LE(heldRatio, freeRatio * 1.05) << "the passes wait for the user-interface thread";
    EXPECT_EQ(archived.rows, fed) << "every reading archived and fed once";
    EXPECT_EQ(archived.lines, fed);
}
