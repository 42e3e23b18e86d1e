#include "form_graph_fixture.h"
#include "modal_dialog.h"

#include "ui/dialogs/form_range_dt.h"
#include "ui/dialogs/widget_operator.h"
#include "device/tolm472.h"
#include "ui/windows/graph_axis.h"
#include "ui/windows/graph_slots.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QScrollBar>
#include <QTimeEdit>
#include <qcustomplot.h>

namespace {

class FormGraph : public GraphFixture
{
};

// A level in millimetres, 0 to 100 on the value axis.
struct TestValue : TIODouble {
    TestValue()
    {
        Description.Title = QStringLiteral("Уровень");
        Description.Dimension = QStringLiteral("мм");
        Description.SetRange(100, 0);
        Description.Digits = 1;
    }
};

QDateTime at(int dayOffset, int h, int m, int s)
{
    return QDateTime(kGraphDay.addDays(dayOffset), QTime(h, m, s));
}

} // namespace

TEST_F(FormGraph, ReadsOneTablePerDayOfThePeriodAndWarnsOnlyWhenNoDayHasData)
{
    // The real progress window is up while the days load.
    TWidgetOperator screen;
    op.ProgressShownBy = &screen;
    AddDay(kGraphDay);
    TFormGraph *graph = Open(1, nullptr, at(0, 10, 0, 5), at(0, 12, 0, 5));
    EXPECT_EQ(Queried(), QList<QDate>{kGraphDay});
    EXPECT_EQ(graph->Series().Count(), 2); // 11:00 and 12:00
    EXPECT_EQ(op.CallsOf(QStringLiteral("ShowProgress")).first().Text, QStringLiteral("Загрузка архива"));
    EXPECT_FALSE(op.ProgressOpen);
    EXPECT_EQ(screen.ProgressWindow(), nullptr);
    graph->close();

    // 23:00 to 01:00: two days; the first has no table, and says nothing.
    queried.clear();
    AddDay(kGraphDay.addDays(2));
    graph = Open(2, nullptr, at(1, 23, 0, 1), at(2, 1, 0, 1));
    EXPECT_EQ(Queried(), (QList<QDate>{kGraphDay.addDays(1), kGraphDay.addDays(2)}));
    EXPECT_EQ(graph->Series().Count(), 2);
    EXPECT_TRUE(op.MessageTexts().isEmpty());
    graph->close();

    // No day has data: one warning.
    graph = Open(3, nullptr, at(5, 22, 0, 1), at(7, 1, 0, 1));
    EXPECT_TRUE(graph->Series().Empty());
    EXPECT_EQ(op.MessageTexts(), QStringList{QStringLiteral("Отсутствуют данные")});
}

TEST_F(FormGraph, AStepIndexOutsideTheTableOrEightShowsOneDay)
{
    for (int d = 0; d < 3; ++d)
        AddDay(kGraphDay.addDays(d), 600);
    for (int index : {8, 0, 13}) {
        home.writeRaw(QStringLiteral("INI/fGraph.ini"),
                      QStringLiteral("[Parameters]\r\ndtStepIndex=%1\r\n").arg(index).toLatin1());
        TFormGraph *graph = Open(1, nullptr, at(0, 0, 0, 1), at(2, 23, 59, 59));
        EXPECT_DOUBLE_EQ(graph->TimeMax() - graph->TimeMin(), 86400) << index;
        EXPECT_DOUBLE_EQ(graph->TimeMax(), KeyOfStamp(graph->Series().LastStamp())) << index;
        EXPECT_TRUE(graph->Action(QStringLiteral("actSetOneDay"))->isChecked()) << index;
        EXPECT_EQ(graph->ScrollBar()->value(), 100);
        EXPECT_TRUE(graph->ScrollBar()->isEnabled());
        // The scroll bar's formula: the first day's end is a third of the way.
        graph->ScrollBar()->setValue(50);
        const double minX = KeyOfStamp(graph->Series().FirstStamp());
        const double maxX = KeyOfStamp(graph->Series().LastStamp());
        EXPECT_DOUBLE_EQ(graph->TimeMax(), maxX - (maxX - minX) / 2);
        EXPECT_DOUBLE_EQ(graph->TimeMax() - graph->TimeMin(), 86400);
        graph->close();
    }
    // Written back on closing.
    EXPECT_TRUE(home.readRaw(QStringLiteral("INI/fGraph.ini")).contains("dtStepIndex=13"));
}

TEST_F(FormGraph, ChangingTheValueRangeRefusesZeroAndMoreThanTheValuesSpan)
{
    // A dialog that hands back what was typed, unclamped.
    struct Unclamped final : TScriptedOperator {
        double InputDouble(const QString &title, const QString &label, int decimals, double max, double min,
                           double value) override
        {
            TScriptedOperator::InputDouble(title, label, decimals, max, min, value);
            return Typed;
        }
        double Typed = 0;
    } typing;
    SetOperator(&typing);
    AddDay(kGraphDay);
    TestValue value;
    TFormGraph *graph = Open(1, &value, at(0, 0, 0, 1), at(0, 23, 0, 1));
    QAction *change = graph->Action(QStringLiteral("actYRangeChange"));
    typing.Typed = 40;
    change->trigger();
    EXPECT_EQ(graph->YRange(), 40);
    const TOperatorCall call = typing.CallsOf(QStringLiteral("InputDouble")).first();
    EXPECT_EQ(call.Caption, QStringLiteral("Введите"));
    EXPECT_EQ(call.Text, QStringLiteral("Диапазон Y"));
    EXPECT_EQ(call.Args, (QVariantList{1, 100.0, 0.0, 0.0}));
    for (double refused : {100.5, 0.0, -3.0}) {
        typing.Typed = refused;
        change->trigger();
        EXPECT_EQ(graph->YRange(), 40) << refused;
    }
    typing.Typed = 100;
    change->trigger();
    EXPECT_EQ(graph->YRange(), 100);
    SetOperator(&op);
}

TEST_F(FormGraph, ScanRecentresTheValueAxisOnAValueOutsideItAndFollowsTheNewest)
{
    AddDay(kGraphDay); // 10 to 33 mm
    TestValue value;
    TFormGraph *graph = Open(1, &value, at(0, 0, 0, 1), at(0, 23, 59, 59));
    ASSERT_TRUE(graph->Live());
    graph->Action(QStringLiteral("actUndoZoom"))->trigger(); // the value's 0..100 again
    graph->Action(QStringLiteral("actScanEndOn"))->trigger();
    ASSERT_TRUE(graph->Scan());
    graph->Action(QStringLiteral("actSetOneHour"))->trigger();
    graph->ScrollBar()->setValue(20);
    ASSERT_EQ(graph->ValueMin(), 0);
    ASSERT_EQ(graph->ValueMax(), 100);

    Publish(QStringLiteral("Distance"), 250, at(1, 0, 0, 30));
    EXPECT_EQ(graph->ValueMin(), 200);
    EXPECT_EQ(graph->ValueMax(), 300);
    EXPECT_DOUBLE_EQ(graph->TimeMax(), KeyOfStamp(ArchiveStamp(at(1, 0, 0, 30))));
    EXPECT_DOUBLE_EQ(graph->TimeMax() - graph->TimeMin(), 3600);
    EXPECT_EQ(graph->ScrollBar()->value(), 100);
    EXPECT_EQ(graph->Panel(3)->text(), QStringLiteral("250,0"));

    // Inside the axis: only the view follows.
    graph->ScrollBar()->setValue(50);
    Publish(QStringLiteral("Distance"), 290, at(1, 0, 1, 0));
    EXPECT_EQ(graph->ValueMin(), 200);
    EXPECT_EQ(graph->ValueMax(), 300);
    EXPECT_DOUBLE_EQ(graph->TimeMax(), KeyOfStamp(ArchiveStamp(at(1, 0, 1, 0))));
    // Another value's readings are not this graph's.
    Publish(QStringLiteral("LevelFree"), 900, at(1, 0, 2, 0));
    EXPECT_EQ(graph->Series().LastStamp(), ArchiveStamp(at(1, 0, 1, 0)));

    // Archive mode: nothing live, and no scanning.
    OnNextModal<TFormRangeDT>([](TFormRangeDT *dialog) { dialog->accept(); });
    graph->Action(QStringLiteral("actStartStopDT"))->trigger();
    WaitLoaded(graph);
    EXPECT_TRUE(graph->Archive());
    EXPECT_FALSE(graph->Live());
    EXPECT_FALSE(graph->Scan());
    EXPECT_FALSE(graph->Action(QStringLiteral("actScanEndOn"))->isEnabled());
    const qint64 count = graph->Series().Count();
    Publish(QStringLiteral("Distance"), 10, at(1, 0, 3, 0));
    EXPECT_EQ(graph->Series().Count(), count);
}

TEST_F(FormGraph, TheGainGraphNeverDrawsLivePoints)
{
    // The main window opens every slot with its row's live value.
    Ttolm472 model;
    for (const TGraphSlot &slot : GraphSlots()) {
        Open(slot.Slot, LiveValue(slot, model), at(0, 0, 0, 1), at(0, 23, 0, 1), slot.Table);
    }
    TFormGraph *gain = TFormGraph::Instance(5);
    for (int round = 0; round < 2; ++round) {
        for (const TGraphSlot &slot : GraphSlots())
            Publish(slot.Table, 7, at(0, 23, 30, round));
        for (const TGraphSlot &slot : GraphSlots())
            EXPECT_EQ(TFormGraph::Instance(slot.Slot)->Series().Count(), slot.Slot == 5 ? 0 : round + 1)
                << slot.Table.toStdString();
        // Live mode once more.
        gain->Action(QStringLiteral("actCurrent"))->trigger();
        WaitLoaded(gain);
        EXPECT_FALSE(gain->Live());
    }
}

TEST_F(FormGraph, OpeningAnOpenSlotOnlyBringsItForward)
{
    AddDay(kGraphDay);
    AddDay(kGraphDay.addDays(1));
    TFormGraph *graph = Open(4, nullptr, at(0, 10, 0, 5), at(0, 20, 0, 5));
    const TDateTime start = graph->Range().Start();
    const qint64 count = graph->Series().Count();
    const int queries = int(Queried().size());
    graph->Action(QStringLiteral("actSet5Min"))->trigger();
    TFormGraph *again = Open(4, nullptr, at(0, 0, 0, 5), at(1, 20, 0, 5));
    EXPECT_EQ(again, graph);
    EXPECT_EQ(graph->Range().Start(), start);
    EXPECT_EQ(graph->Series().Count(), count);
    EXPECT_EQ(Queried().size(), queries);
    EXPECT_DOUBLE_EQ(graph->TimeMax() - graph->TimeMin(), 300);
}

TEST_F(FormGraph, TheRangeDialogTakesEqualBoundsAndRefusesAnInvertedPeriod)
{
    AddDay(kGraphDay);
    TFormGraph *graph = Open(2, nullptr, at(0, 10, 0, 5), at(0, 20, 0, 5));
    queried.clear();
    OnNextModal<TFormRangeDT>([](TFormRangeDT *dialog) {
        dialog->dtpStartDate->setDate(kGraphDay);
        dialog->dtpStartTime->setTime(QTime(15, 0, 0));
        dialog->dtpStopDate->setDate(kGraphDay);
        dialog->dtpStopTime->setTime(QTime(14, 59, 59));
        dialog->accept(); // refused: stays open
        EXPECT_TRUE(dialog->isVisible());
        dialog->cbInterval->setCurrentIndex(1); // "Сутки" only by the operator's choice
        dialog->dtpStopTime->setTime(QTime(15, 0, 0));
        EXPECT_EQ(dialog->cbInterval->currentIndex(), 0);
        dialog->accept();
    });
    graph->Action(QStringLiteral("actStartStopDT"))->trigger();
    WaitLoaded(graph);
    EXPECT_EQ(op.MessageTexts(), QStringList{QStringLiteral("Неверный диапазон")});
    EXPECT_TRUE(graph->Archive());
    EXPECT_EQ(graph->Range().Start(), graph->Range().Stop());
    EXPECT_EQ(Queried(), QList<QDate>{kGraphDay});
    ASSERT_EQ(graph->Series().Count(), 1);
    EXPECT_EQ(graph->Series().At(0).Stamp, ArchiveStamp(at(0, 15, 0, 0)));
    EXPECT_TRUE(graph->Panel(0)->text().startsWith(QStringLiteral("Диапазон c ")));
    EXPECT_TRUE(graph->Panel(0)->text().contains(QStringLiteral(" по ")));
}

TEST_F(FormGraph, TheReportChartShowsTheWindowsViewReducedForItsWidthWithMarkersOnlyWithPoints)
{
    AddDay(kGraphDay, 10); // 8640 points
    TestValue value;
    TFormGraph *graph = Open(1, &value, at(0, 0, 0, 1), at(0, 23, 59, 59));
    graph->Action(QStringLiteral("actShowAllXY"))->trigger();
    for (bool points : {false, true}) {
        graph->Action(points ? QStringLiteral("actPointsTrue") : QStringLiteral("actPointsFalse"))->trigger();
        QCustomPlot page;
        page.resize(1200, 700);
        graph->FillReportChart(page);
        ASSERT_EQ(page.graphCount(), points ? 2 : 1);
        EXPECT_EQ(page.xAxis->range(), graph->Chart()->xAxis->range());
        EXPECT_EQ(page.yAxis->range(), graph->Chart()->yAxis->range());
        EXPECT_EQ(page.yAxis->label(), QStringLiteral("Уровень, мм"));
        const int drawn = page.graph(0)->dataCount();
        EXPECT_GT(drawn, 1000);
        EXPECT_LE(drawn, 4 * page.axisRect()->width() + 2);
        if (points) {
            EXPECT_EQ(page.graph(1)->dataCount(), drawn);
        }
        const auto ticker = page.xAxis->ticker().dynamicCast<QCPAxisTickerDateTime>();
        ASSERT_TRUE(ticker);
        EXPECT_EQ(ticker->dateTimeFormat(), QStringLiteral("dd.MM.yy hh:mm:ss"));
    }
    // The CSV holds every point on screen, not the chart's reduction.
    const QStringList csv = graph->CsvLines();
    ASSERT_EQ(csv.size(), 1 + graph->Series().Count());
    EXPECT_GT(csv.size(), 8000);
    EXPECT_EQ(csv.first(), QStringLiteral("Время;Уровень, мм"));
    EXPECT_TRUE(csv.at(1).startsWith(at(0, 0, 0, 10).toString(QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz;"))))
        << csv.at(1).toStdString();
}
