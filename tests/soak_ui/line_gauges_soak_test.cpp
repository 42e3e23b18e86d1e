// Soak: sixteen simulated gauges on one line with the byte timing of 9600
// baud ("/sim" with [Sim] Gauges=16), all marked in "Приборы на линии" and
// polled at the shortest period (100 ms, so the passes of about 1.1 s run
// back to back) with level-all and temperature, the gauges window and two
// time graphs of the current gauge open, for ten minutes
// (TOLM_SOAK_SECONDS overrides the length).
//
// Measured: each gauge's archive holds exactly the readings it answered
// (rows = lines = answers, per gauge and name); the longest stall of the
// user-interface thread's event loop (under 50 ms); the resident set from
// the end of the first minute (or a quarter of a short run) to the end.

#include "app/custom_timer.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "protocol/command_codes.h"
#include "session/gauge_session.h"
#include "session/line_gauges.h"
#include "device/tolm472.h"
#include "ui/windows/form_graph.h"
#include "ui/windows/form_line_gauges.h"

#include "program_soak.h"
#include "soak_measures.h"
#include "support/archive_counts.h"

#include <QEventLoop>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int Gauges = 16;
constexpr int LinePollPeriodMs = 100;
constexpr double LineStallLimitMs = 50;
constexpr double LineRssGrowthLimitMb = 2.0;

class LineGaugesSoak : public ProgramSoak
{
protected:
    LineGaugesSoak() : ProgramSoak({}) { home.writeRaw("INI/ComPort.ini", "[Sim]\r\nGauges=16\r\n"); }
};

} // namespace

TEST_F(LineGaugesSoak, SixteenGaugesPolledTogetherArchiveEachAnswerOnceAndKeepTheWindowsResponsive)
{
    const std::optional<TSoakLength> length = SoakLength();
    ASSERT_TRUE(length) << "TOLM_SOAK_SECONDS must be a whole number of seconds above 0";
    const qint64 durationMs = length->durationMs;
    const qint64 baselineAtMs = length->baselineAtMs;

    StartProgram();
    TGaugeSession &session = program->Session();
    program->Model().SetSystemAddress(1);
    std::vector<TLineGauge> gauges;
    for (int address = 1; address <= Gauges; ++address) {
        TLineGauge gauge;
        gauge.Address = address;
        gauge.PlantNumber = uint16_t(1000 + address);
        gauge.Polled = true;
        gauges.push_back(gauge);
    }
    ASSERT_TRUE(session.KeepLineGauges(gauges));
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actLineGaugesShow")));
    ASSERT_NE(TFormLineGauges::Instance(), nullptr);
    ASSERT_EQ(TFormLineGauges::Instance()->Table()->rowCount(), Gauges);
    for (const char *graph : {"actGraphLevel", "actGraphDistance"})
        ASSERT_TRUE(form->ExecuteAction(QString::fromLatin1(graph))) << graph;
    session.Cycle().SetPolled(TempRead, true);
    // The windows' first layout and paint belong to their opening, an
    // operator command; the measurement is of the program while it polls.
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();

    // Every reading a gauge answered, per gauge and archive name.
    std::map<int, std::map<QString, int>> answered;
    const int listener = session.LineFeed().Subscribe([&](const TLineAnswer &answer) {
        for (const TArchivedValue &v : answer.values)
            ++answered[answer.address][v.name];
    });
    op.Answer(LinePollPeriodMs);
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actTimerParametersChange")));
    ASSERT_EQ(program->PollingTimer().Interval(), LinePollPeriodMs);
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actOprosStart")));

    QElapsedTimer run;
    run.start();
    TEventLoopWatch watch;
    double rssFirst = -1, rssLast = -1;
    bool stopping = false;
    QEventLoop loop;
    QTimer control;
    QObject::connect(&control, &QTimer::timeout, [&] {
        if (rssFirst < 0 && run.elapsed() >= baselineAtMs)
            rssFirst = ResidentMb();
        if (!stopping && run.elapsed() >= durationMs) {
            stopping = true;
            watch.Stop();
            rssLast = ResidentMb();
            form->ExecuteAction(QStringLiteral("actOprosStop"));
        }
        if (stopping && !program->RequestThread().InPass())
            loop.quit();
    });
    watch.Start(run);
    control.start(250);
    loop.exec();
    control.stop();
    QCoreApplication::sendPostedEvents(); // the last pass's answers
    session.LineFeed().Unsubscribe(listener);
    const quint64 passes = program->RequestThread().Passes();
    session.CloseArchive();

    const QString db = program->ArchiveSettings().dbPath;
    bool exact = int(answered.size()) == Gauges;
    int readings = 0;
    for (const auto &[address, names] : answered) {
        for (const auto &[name, count] : names) {
            const TArchiveCounts stored =
                CountArchive(GaugeArchivePath(db, GaugeFolderName(address, uint16_t(1000 + address))), name);
            EXPECT_EQ(stored.rows, count) << address << ' ' << name.toStdString();
            EXPECT_EQ(stored.lines, count) << address << ' ' << name.toStdString();
            exact = exact && stored.rows == count && stored.lines == count;
            readings += count;
        }
    }
    std::printf("[ soak ] %.1f s polling %d gauges (LevelAllRead + TempRead) every %d ms on one simulated line with "
                "line timing, the gauges window and two graphs open: %llu passes, %d values answered and archived "
                "(%s per gauge and name); event loop (%d ms timer): longest stall %.1f ms (%.1f running, %.1f waiting "
                "for a processor, at %.1f s), %d gaps over 50 ms; RSS %.1f MB at %.0f s -> %.1f MB (growth %+.2f MB, "
                "bound %.2f MB)\n",
                double(run.elapsed()) / 1000, Gauges, LinePollPeriodMs, static_cast<unsigned long long>(passes), readings,
                exact ? "exact" : "MISMATCH", TEventLoopWatch::TickMs, watch.LongestStall.StallMs(),
                watch.LongestStall.runMs, watch.LongestStall.waitMs, watch.LongestStall.atS, watch.GapsOver50Ms,
                rssFirst, double(baselineAtMs) / 1000, rssLast, rssLast - rssFirst, LineRssGrowthLimitMb);
    std::fflush(stdout);
    EXPECT_TRUE(exact);
    EXPECT_GT(passes, 0u);
    EXPECT_LT(watch.LongestStall.StallMs(), LineStallLimitMs);
    ASSERT_GE(rssFirst, 0);
    EXPECT_LT(rssLast - rssFirst, LineRssGrowthLimitMb);
    QStringList messages;
    for (const TOperatorCall &call : op.CallsOf(QStringLiteral("ShowMessage")))
        if (!call.Text.endsWith(QStringLiteral("Отсутствуют данные")))
            messages.append(call.Text);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}
