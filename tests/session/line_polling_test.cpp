// Several gauges of one simulated line polled together: each in address
// order with its own failure count, each archived under its own plant
// number, and the windows of the current gauge fed only with its readings.

#include "app/text_file.h"
#include "device/tolm472.h"
#include "protocol/command_codes.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/gauge_session.h"
#include "session/line_gauges.h"
#include "sim/numbered_gauges.h"
#include "sim/simulated_line.h"
#include "support/archive_counts.h"
#include "support/core_application.h"
#include "support/manual_clock.h"
#include "support/run_passes.h"
#include "support/temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TSimLineConfig threeGauges()
{
    TSimLineConfig config;
    NumberSimGauges(config, 3);
    return config;
}

TLineGauge lineGauge(int address, uint16_t plant, bool polled)
{
    TLineGauge gauge;
    gauge.Address = address;
    gauge.PlantNumber = plant;
    gauge.Polled = polled;
    return gauge;
}

} // namespace

TEST(LinePolling, EachGaugeInTurnUnderItsOwnPlantNumberAndASilentOneCostsOnlyItself)
{
    EnsureCoreApplication();
    TempHome home;
    ManualClockScope clock{QDateTime(QDate(2026, 12, 8), QTime(10, 15, 0))};
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path());
    {
        TSimulatedLine line(threeGauges());
        TGaugeSession session(TGaugeSessionSetup{home.path()}, line);
        session.Model().SetSystemAddress(2);
        TRequestCycle &cycle = session.Cycle();
        cycle.ClearPollSet();
        cycle.SetPolled(LevelAllRead, true);
        const QString db = home.file(QStringLiteral("DATA"));
        session.OpenArchive(db, {});
        // Gauge 3's plant number is not known: its folder is named by its
        // address.
        session.SetLineGauges({lineGauge(1, 1001, true), lineGauge(2, 1002, false), lineGauge(3, 0, true)});
        EXPECT_EQ(session.ArchiveFolderOf(3), GaugeArchivePath(db, QStringLiteral("A3")));

        QList<int> fed, asked;
        QList<int> accepted;
        session.Feed().Subscribe([&](const TReading &r) { fed.append(r.address); });
        session.LineFeed().Subscribe([&](const TLineAnswer &a) {
            asked.append(a.address);
            accepted.append(a.accepted ? 1 : 0);
        });
        RunPasses(session.RequestThread(), 2);
        line.WithSimulator([](TSimLine &sim) { sim.gauges().setLink(0, TSimGaugeLink::Silent); }); // address 1
        RunPasses(session.RequestThread(), 2);
        QCoreApplication::sendPostedEvents();

        EXPECT_EQ(asked, (QList<int>{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
        EXPECT_EQ(accepted, (QList<int>{1, 1, 1, 1, 1, 1, 0, 1, 1, 0, 1, 1}));
        // The windows of the current gauge see its readings only.
        EXPECT_EQ(fed, (QList<int>{2, 2, 2, 2}));
        // A silent neighbour never turns the current gauge's link red.
        EXPECT_EQ(session.Model().LinkStatus().LinkState, 1);

        const auto rowsOf = [&](const QString &folder) {
            return CountArchive(GaugeArchivePath(db, folder), QStringLiteral("LevelBusy"));
        };
        EXPECT_EQ(rowsOf(QStringLiteral("PN01001")).rows, 2);
        EXPECT_EQ(rowsOf(QStringLiteral("PN01002")).rows, 4);
        EXPECT_EQ(rowsOf(QStringLiteral("PN01002")).lines, 4);
        EXPECT_EQ(rowsOf(QStringLiteral("A3")).rows, 4);

        // Back to one gauge: the archive's own layout again.
        session.SetLineGauges({lineGauge(2, 1002, true)});
        RunPasses(session.RequestThread(), 1);
        QStringList own;
        EXPECT_TRUE(ReadTextLines(db + QStringLiteral("/2026/12/08/LevelBusy.txt"), own));
        EXPECT_EQ(own.size(), 1);
        EXPECT_EQ(rowsOf(QStringLiteral("PN01002")).rows, 4);
        EXPECT_EQ(session.ArchiveFolderOf(2), db);
    }
    QDir::setCurrent(oldDir);
}

TEST(LineGaugesFile, KeepsTheGaugesBesideWhatElseTheFileHoldsAndSkipsWhatNamesNoAddress)
{
    TempHome home;
    QDir().mkpath(home.file(QStringLiteral("INI")));
    const QString file = LineGaugesFileName(home.path());
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ToCp1251(QStringLiteral("; стенд 2\r\n[Line]\r\nName=Стенд\r\n[Gauge7]\r\nAddress=7\r\n"
                                        "[Gauge0]\r\nAddress=0\r\n[GaugeX]\r\nAddress=мусор\r\n")));
    }
    EXPECT_EQ(LoadLineGauges(home.path()).size(), 1u);

    std::vector<TLineGauge> gauges{lineGauge(9, 1009, true), lineGauge(3, 0, false)};
    gauges.front().ProgramType = 12;
    std::sort(gauges.begin(), gauges.end(), [](auto &a, auto &b) { return a.Address < b.Address; });
    ASSERT_TRUE(SaveLineGauges(home.path(), gauges));
    const std::vector<TLineGauge> back = LoadLineGauges(home.path());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].Address, 3);
    EXPECT_FALSE(back[0].Polled);
    EXPECT_EQ(back[1].PlantNumber, 1009);
    EXPECT_EQ(back[1].ProgramType, 12);
    EXPECT_TRUE(back[1].Polled);

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = FromCp1251(f.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("; стенд 2\r\n[Line]\r\nName=Стенд\r\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("[Gauge7]")));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
}
