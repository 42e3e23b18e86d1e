// The level graph over a day of archive written by the simulated gauge's
// tank, with live readings after it: nothing cut off, and a picture for the
// documentation when TOLM_SCREENSHOTS names a folder.
#include "form_graph_fixture.h"
#include "report_pages.h"

#include "archive/value_archive.h"
#include "device/tolm472.h"
#include "sim/gauge_parameters.h"
#include "sim/tank_model.h"
#include "support/manual_clock.h"
#include "support/window_shots.h"

#include <QLabel>
#include <qcustomplot.h>

TEST_F(GraphFixture, ScreenshotOfTheLevelGraph)
{
    const QDateTime now(QDate(2026, 12, 8), QTime(15, 0, 0));
    ManualClockScope clock(now);
    const TSimGaugeParameters gauge;
    const TSimTank tank(47, 0.5);
    const auto levelAt = [&](const QDateTime &t) { return tank.readingsAt(now.msecsTo(t) + 40'000'000, gauge).level; };
    {
        TValueArchive archive(home.file(QStringLiteral("DATA")));
        for (QDateTime t = now.addDays(-1); t < now; t = t.addSecs(120))
            ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("LevelBusy"), t, levelAt(t)));
    }
    Ttolm472 model;
    TFormGraph::TSources sources = Sources();
    sources.Reader = LoadDay;
    sources.Gauge = &model;
    ASSERT_EQ(TFormGraph::OpenGraph(1, QStringLiteral("LevelBusy"), &model.Readings.Level, QStringLiteral("График"),
                                    NowDateTime(), NowDateTime() - 1, sources),
              0);
    TFormGraph *graph = TFormGraph::Instance(1);
    WaitLoaded(graph);
    EXPECT_EQ(graph->Series().Count(), 720);
    EXPECT_TRUE(op.MessageTexts().isEmpty());
    for (QDateTime t = now.addSecs(10); t <= now.addSecs(600); t = t.addSecs(10))
        Publish(QStringLiteral("LevelBusy"), levelAt(t), t);
    EXPECT_EQ(graph->Series().Count(), 780);
    graph->Action(QStringLiteral("actShowAllXY"))->trigger();
    graph->resize(900, 560);
    graph->ReplotNow();
    QCoreApplication::processEvents();
    EXPECT_GT(graph->DrawnPoints(), 700);
    EXPECT_EQ(ClippedControls(*graph), QStringList());
    EXPECT_TRUE(SaveShot(ShotWithCaption(*graph), QStringLiteral("window_graph")));

    // The printed page: its title, the period on screen and the gauge.
    model.Config.SetPlantNumber(417);
    const QString pdf = home.file(QStringLiteral("report_graph.pdf"));
    SaveReportPage(graph->Report(), pdf, QStringLiteral("report_graph"));
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("График"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("с 07.12.2026"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Заводской номер: 417"))) << text.toStdString();
}
