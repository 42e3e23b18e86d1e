// The multi-graph over a day of archive written by the simulated gauge's
// tank, with live readings after it: nothing cut off, every series drawn,
// the report's legend and period, and pictures for the documentation when
// TOLM_SCREENSHOTS names a folder.
#include "form_graph_fixture.h"
#include "report_pages.h"

#include "archive/value_archive.h"
#include "device/tolm472.h"
#include "sim/gauge_parameters.h"
#include "sim/tank_model.h"
#include "support/manual_clock.h"
#include "support/window_shots.h"
#include "ui/windows/form_multi_graph.h"

#include <QAction>
#include <qcustomplot.h>

TEST_F(GraphFixture, ScreenshotOfTheMultiGraphAndItsReport)
{
    const QDateTime now(QDate(2026, 12, 8), QTime(15, 0, 0));
    ManualClockScope clock(now);
    // Mounted 3 m above the highest level the tank is filled to, so the
    // distance and the free space are lines of their own.
    TSimGaugeParameters gauge;
    gauge.floats[FloatParam::Lmax] = 12000;
    const TSimTank tank(47, 0.5);
    const auto readingAt = [&](const QDateTime &t) { return tank.readingsAt(now.msecsTo(t) + 40'000'000, gauge); };
    const auto reading = [&](const QDateTime &t) {
        const TSimReadings r = readingAt(t);
        return TReading{255, 1,
                        {{QStringLiteral("LevelBusy"), r.level, 1},
                         {QStringLiteral("Distance"), r.distance, 1},
                         {QStringLiteral("LevelFree"), r.levelFree, 1}},
                        t};
    };
    {
        TValueArchive archive(home.file(QStringLiteral("DATA")));
        for (QDateTime t = now.addDays(-1); t < now; t = t.addSecs(120))
            for (const TArchivedValue &v : reading(t).values)
                ASSERT_TRUE(archive.ArchiveValue(v.name, t, v.value));
    }
    Ttolm472 model;
    model.Config.SetPlantNumber(417);
    TFormMultiGraph::TSources sources = Sources();
    sources.Reader = LoadDay;
    sources.Gauge = &model;
    TFormMultiGraph *window = TFormMultiGraph::OpenMultiGraph(model, false, sources);
    ASSERT_NE(window, nullptr);
    WaitLoaded(window);
    EXPECT_TRUE(window->isModal());
    EXPECT_TRUE(op.MessageTexts().isEmpty());
    for (QDateTime t = now.addSecs(10); t <= now.addSecs(600); t = t.addSecs(10)) {
        feed.Publish(reading(t));
        QCoreApplication::processEvents();
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window->Collection().Item(i)->Series.Count(), 720 + 60) << i;
    window->Action(QStringLiteral("actShowAllXY"))->trigger();
    window->resize(1000, 600);
    window->ReplotNow();
    QCoreApplication::processEvents();
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(window->Line(i)->dataCount(), 700) << i;
    EXPECT_EQ(ClippedControls(*window), QStringList());
    EXPECT_TRUE(SaveShot(ShotWithCaption(*window), QStringLiteral("multigraph")));

    const QString pdf = home.file(QStringLiteral("multigraph_report.pdf"));
    SaveReportPage(window->Report(), pdf, QStringLiteral("multigraph_report"));
    const QString text = PdfText(pdf);
    for (const QString &expected : {QStringLiteral("Графики уровней"), QStringLiteral("с 07.12.2026"),
                                    QStringLiteral("Расстояние"), QStringLiteral("Заводской номер: 417")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    window->close();
}
