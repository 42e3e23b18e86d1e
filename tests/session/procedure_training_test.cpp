#include "procedure_bench.h"

#include <gtest/gtest.h>

namespace {

// The progress shown after the command went through: the gauge's learning
// time, as (text, step, total) with the closing marked by an empty text.
QStringList waitProgress(const TProcedureBench &bench)
{
    QStringList seen;
    for (const TOperatorCall &call : bench.op.Calls) {
        if (call.Kind == QLatin1String("ShowProgress") && call.Text.startsWith(QStringLiteral("Обучение")))
            seen.append(QStringLiteral("%1 %2/%3").arg(call.Text).arg(call.Args[0].toInt()).arg(call.Args[1].toInt()));
        else if (call.Kind == QLatin1String("CloseProgress") && !seen.isEmpty() && !seen.last().isEmpty())
            seen.append(QString());
    }
    return seen;
}

QStringList expectedWait(int seconds)
{
    QStringList steps;
    for (int step = 1; step <= seconds; ++step)
        steps.append(QStringLiteral("Обучение занимает %1 секунд %2/%1").arg(seconds).arg(step));
    steps.append(QString());
    return steps;
}

const QString DistanceMessage =
    QStringLiteral("Значение расстояния от фланца до продукта \rдолжно быть в интервале от 1500 до 4000 мм");

} // namespace

TEST(Training, AnsweredNoSendsNothing)
{
    TProcedureBench bench;
    bench.op.Answer(false);
    bench.Run(TProcedureId::TrainingStart);

    const QList<TOperatorCall> asked = bench.op.CallsOf(QStringLiteral("AskYesNo"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].Caption, QStringLiteral("Внимание"));
    EXPECT_EQ(asked[0].Text, QStringLiteral("Резервуар должен быть пуст.\rВыполнить обучение?"));
    EXPECT_EQ(asked[0].Args, (QVariantList{int(TMessageIcon::Question), false})) << "No is the default";
    EXPECT_TRUE(bench.line.Sent.isEmpty());
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);
}

TEST(Training, WaitsFifteenSecondsThenReadsTheBadZonesAndOpensTheParameters)
{
    TProcedureBench bench;
    bench.model.Identity.SoftVersion = 2; // a gauge with bad zones
    bench.op.Answer(true);
    bench.Run(TProcedureId::TrainingStart);

    EXPECT_EQ(bench.SentCodes(), QList<int>({TrainingModeStart, CountBadZonesRead}) + CodeRange(BadZoneNearRead1, 20));
    EXPECT_EQ(waitProgress(bench), expectedWait(15));
    EXPECT_FALSE(bench.op.ProgressOpen);
    EXPECT_EQ(bench.clock.clock().PausedMs(), 15000);
    EXPECT_EQ(bench.views.ParametersWindowShown, QList<bool>{false});
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 3); // the count's, the zones' and the end's
}

TEST(Training, AGaugeThatDoesNotStartIsReportedWithoutWaiting)
{
    TProcedureBench bench;
    bench.MakeDeafTo({TrainingModeStart});
    bench.op.Answer(true);
    bench.Run(TProcedureId::TrainingStart);

    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral("Не выполнена команда\rОбучение на пустом резервуаре")});
    EXPECT_EQ(bench.clock.clock().PausedMs(), 0);
    EXPECT_TRUE(bench.views.ParametersWindowShown.isEmpty());
}

TEST(Correction, OnlyWithTheProductBetween1500And4000Millimetres)
{
    for (double outside : {1499.9, 4000.1}) {
        TProcedureBench bench;
        bench.model.Readings.Distance.SetValue(outside);
        bench.Run(TProcedureId::CorrectionStart);
        EXPECT_EQ(bench.Messages(), QStringList{DistanceMessage}) << outside;
        EXPECT_EQ(bench.op.CallsOf(QStringLiteral("ShowMessage")).first().Args.first().toInt(),
                  int(TMessageIcon::Warning));
        EXPECT_TRUE(bench.line.Sent.isEmpty()) << outside;
    }
    for (double border : {1500.0, 4000.0}) {
        TProcedureBench bench;
        bench.model.Identity.SoftVersion = 2; // a gauge with the phase-frequency offset
        bench.model.Readings.Distance.SetValue(border);
        bench.Run(TProcedureId::CorrectionStart);
        EXPECT_TRUE(bench.Messages().isEmpty()) << border;
        EXPECT_EQ(bench.SentCodes(), (QList<int>{CorrectionModeStart, SmFChHRead})) << border;
        EXPECT_EQ(waitProgress(bench), expectedWait(3)) << border;
        EXPECT_EQ(bench.views.ParametersWindowShown, QList<bool>{true}) << border;
        EXPECT_EQ(bench.views.UpdateAllViewsCount, 2) << border;
    }
}
