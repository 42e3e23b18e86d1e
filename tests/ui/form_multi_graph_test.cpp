#include "form_graph_fixture.h"
#include "modal_dialog.h"

#include "device/tolm472.h"
#include "ui/windows/form_multi_graph.h"

#include <QAction>
#include <QMenu>
#include <qcustomplot.h>

namespace {

const QDate kGraphDay(2026, 12, 1);
// The hourly readings of AddDay after the first second of the day.
constexpr int DayPoints = 23;

class FormMultiGraph : public GraphFixture
{
protected:
    ~FormMultiGraph() override { delete TFormMultiGraph::Instance(); }

    // The main window's series over [start, stop], the archive loaded.
    TFormMultiGraph *Open(bool fullMode, const QDateTime &start, const QDateTime &stop)
    {
        auto *window = new TFormMultiGraph(Sources());
        FillMultiGraphCollection(window->Collection(), model, fullMode);
        EXPECT_EQ(window->Setup(QStringLiteral("Графики уровней"), QDateTimeToDateTime(stop),
                                QDateTimeToDateTime(start)),
                  0);
        WaitLoaded(window);
        return window;
    }

    // The whole of the first day (a time of day under a second would be
    // taken from the clock).
    TFormMultiGraph *OpenDay(bool fullMode = false)
    {
        AddDay(kGraphDay);
        return Open(fullMode, dayStart(), QDateTime(kGraphDay, QTime(23, 59, 59)));
    }

    static QDateTime dayStart() { return QDateTime(kGraphDay, QTime(0, 0, 0, 0)).addMSecs(1000); }

    static QStringList checkTitles(const TFormMultiGraph &window)
    {
        QStringList titles;
        for (QMenu *menu : window.findChildren<QMenu *>())
            if (menu->title() == QStringLiteral("Графики"))
                for (QAction *a : menu->actions())
                    if (a->isCheckable())
                        titles.append(a->text());
        return titles;
    }

    Ttolm472 model;
};

TEST_F(FormMultiGraph, ThreeSeriesOrFourInFullModeInTheirOrderColoursAndMenu)
{
    TFormMultiGraph *window = OpenDay();
    EXPECT_EQ(queriedNames, (QStringList{QStringLiteral("LevelBusy"), QStringLiteral("Distance"),
                                         QStringLiteral("LevelFree")}));
    EXPECT_EQ(window->Chart()->graphCount(), 3);
    EXPECT_EQ(checkTitles(*window), (QStringList{QStringLiteral("Уровень"), QStringLiteral("Расстояние"),
                                                 model.Readings.LevelFree.Description.Title}));
    EXPECT_EQ(window->Line(0)->pen().color(), QColor(0, 0, 255));
    EXPECT_EQ(window->Line(1)->pen().color(), QColor(255, 0, 0));
    EXPECT_EQ(window->Line(2)->pen().color(), QColor(0, 128, 0));
    EXPECT_EQ(window->Chart()->yAxis->label(),
              QStringLiteral("Уровень, Расстояние, ") + model.Readings.LevelFree.Description.Title);
    // The value axis from 0 over every value's range.
    EXPECT_DOUBLE_EQ(window->ValueMin(), 0);
    EXPECT_DOUBLE_EQ(window->ValueMax(), 45000);
    EXPECT_EQ(window->Chart()->legend->itemCount(), 3);
    window->close();

    queriedNames.clear();
    window = Open(true, dayStart(), QDateTime(kGraphDay, QTime(23, 59, 59)));
    EXPECT_EQ(queriedNames.size(), 4);
    EXPECT_EQ(queriedNames.value(3), QStringLiteral("Reserve"));
    EXPECT_EQ(window->Chart()->graphCount(), 4);
    EXPECT_EQ(checkTitles(*window).size(), 4);
    EXPECT_EQ(window->Line(3)->name(), QStringLiteral("Резерв"));
    EXPECT_EQ(window->Line(3)->pen().color(), QColor(255, 255, 0));
    EXPECT_EQ(window->Collection().Item(3)->Value.Tag, 3);
    EXPECT_TRUE(op.MessageTexts().isEmpty());
}

TEST_F(FormMultiGraph, HidingEverySeriesKeepsItsDataAndShowingThemBringsMarkersOnlyWithPoints)
{
    TFormMultiGraph *window = OpenDay();
    const auto markers = [&](int i) { return window->Line(i)->scatterStyle().shape() != QCPScatterStyle::ssNone; };
    window->Action(QStringLiteral("actHideAllSeries"))->trigger();
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(window->Line(i)->visible()) << i;
        EXPECT_FALSE(window->SeriesCheck(i)->isChecked()) << i;
        EXPECT_EQ(window->Collection().Item(i)->Series.Count(), DayPoints) << i;
    }
    // Points asked for while every series is hidden: none drawn.
    window->Action(QStringLiteral("actPointsTrue"))->trigger();
    EXPECT_FALSE(markers(0));
    window->Action(QStringLiteral("actShowAllSeries"))->trigger();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(window->Line(i)->visible()) << i;
        EXPECT_TRUE(window->SeriesCheck(i)->isChecked()) << i;
        EXPECT_GT(window->Line(i)->dataCount(), 0) << i;
        EXPECT_TRUE(markers(i)) << i;
    }
    // One series by its own check item; without points its line comes
    // back bare.
    window->SeriesCheck(1)->trigger();
    EXPECT_FALSE(window->Line(1)->visible());
    EXPECT_FALSE(markers(1));
    window->Action(QStringLiteral("actPointsFalse"))->trigger();
    window->SeriesCheck(1)->trigger();
    EXPECT_TRUE(window->Line(1)->visible());
    EXPECT_FALSE(markers(1));
    // A series outside the collection changes nothing.
    window->SetSeriesVisible(3, false);
    window->SetSeriesVisible(-1, false);
    EXPECT_TRUE(window->Line(2)->visible());
}

TEST_F(FormMultiGraph, ALiveValueGoesToItsSeriesByTagAndATagOutsideAddsNothing)
{
    TFormMultiGraph *window = OpenDay();
    ASSERT_TRUE(window->Live());
    Publish(QStringLiteral("Distance"), 1234, QDateTime(kGraphDay.addDays(1), QTime(0, 0, 10)));
    EXPECT_EQ(window->Collection().Item(1)->Series.Count(), DayPoints + 1);
    EXPECT_EQ(window->Collection().Item(1)->Series.At(DayPoints),
              (TSeriesPoint{ArchiveStamp(QDateTime(kGraphDay.addDays(1), QTime(0, 0, 10))), 1234}));
    EXPECT_EQ(window->Collection().Item(0)->Series.Count(), DayPoints);

    for (int tag : {3, -1, 100}) {
        TIODouble stray;
        stray.Tag = tag;
        stray.SetValue(5);
        window->ValueChanged(&stray);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window->Collection().Item(i)->Series.Count(), i == 1 ? DayPoints + 1 : DayPoints) << i;
}

TEST_F(FormMultiGraph, ShowAllByYStartsAt100OrLowerWithLevelsInThousands)
{
    days.insert(kGraphDay, {{2000, ArchiveStamp(QDateTime(kGraphDay, QTime(1, 0)))},
                      {2500, ArchiveStamp(QDateTime(kGraphDay, QTime(2, 0)))}});
    TFormMultiGraph *window = Open(false, dayStart(), QDateTime(kGraphDay, QTime(23, 59, 59)));
    window->Action(QStringLiteral("actShowAllX"))->trigger();
    window->Action(QStringLiteral("actShowAllY"))->trigger();
    EXPECT_LE(window->ValueMin(), 100);
    EXPECT_DOUBLE_EQ(window->ValueMax(), 2500);
    // Undoing the zoom returns to the set-up range.
    window->Action(QStringLiteral("actUndoZoom"))->trigger();
    EXPECT_DOUBLE_EQ(window->ValueMin(), 0);
    EXPECT_DOUBLE_EQ(window->ValueMax(), 45000);
}

TEST_F(FormMultiGraph, EachEmptySeriesIsNamedOnceWithNoData)
{
    emptyTables = QStringList{QStringLiteral("Distance"), QStringLiteral("LevelFree")};
    OpenDay();
    EXPECT_EQ(op.MessageTexts(),
              (QStringList{QStringLiteral("Расстояние\nОтсутствуют данные"),
                           model.Readings.LevelFree.Description.Title + QStringLiteral("\nОтсутствуют данные")}));
    QStringList progress;
    for (const TOperatorCall &call : op.CallsOf(QStringLiteral("ShowProgress")))
        if (!progress.contains(call.Text))
            progress.append(call.Text);
    EXPECT_EQ(progress,
              (QStringList{QStringLiteral("Загрузка архива Уровень"), QStringLiteral("Загрузка архива Расстояние"),
                           QStringLiteral("Загрузка архива ") + model.Readings.LevelFree.Description.Title}));
    EXPECT_FALSE(op.ProgressOpen);
}

TEST_F(FormMultiGraph, OpensModallyTakesLivePointsWhileOpenAndWritesItsSettingsOnClosing)
{
    home.writeRaw(QStringLiteral("INI/fMultiGraph.ini"), "[Parameters]\r\ndtStepIndex=5\r\nPoints=1\r\n");
    AddDay(QDate::currentDate());
    // Acts on the window once it is up and its archive is in.
    const TOnModalWindow<TFormMultiGraph> whileOpen(
        [](TFormMultiGraph *window) { return !window->Loading(); },
        [&](TFormMultiGraph *window) {
            EXPECT_EQ(window->windowTitle(), QStringLiteral("Графики уровней"));
            EXPECT_DOUBLE_EQ(window->TimeMax() - window->TimeMin(), 3600); // "1 час"
            EXPECT_TRUE(window->ShowPoints());
            const qint64 before = window->Collection().Item(0)->Series.Count();
            Publish(QStringLiteral("LevelBusy"), 777, QDateTime::currentDateTime().addSecs(5));
            EXPECT_EQ(window->Collection().Item(0)->Series.Count(), before + 1);
            window->Action(QStringLiteral("actSetOneDay"))->trigger();
            window->Action(QStringLiteral("actClose"))->trigger();
        });
    EXPECT_NE(TFormMultiGraph::OpenMultiGraph(model, false, Sources()), nullptr);
    whileOpen.WaitClosed();
    EXPECT_TRUE(whileOpen.Done());
    EXPECT_EQ(TFormMultiGraph::Instance(), nullptr);
    const QByteArray ini = home.readRaw(QStringLiteral("INI/fMultiGraph.ini"));
    EXPECT_TRUE(ini.contains("dtStepIndex=8")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("Points=1")) << ini.toStdString();
    EXPECT_FALSE(ini.contains("YRange")) << ini.toStdString();
}

} // namespace
