#include "procedure_bench.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(WriteAllParameters, FullModeOnAnExtendedGaugeWritesEveryParameterAndStoresOnceAtTheEnd)
{
    TProcedureBench bench;
    bench.context.FullMode = true;
    bench.model.Identity.SoftVersion = 2;
    bench.model.Config.SetHmax(21000);
    bench.model.Config.SetLmax(20500);
    bench.model.BadZones.Zone(2).Far.SetValue(1234.5);

    bench.Run(TProcedureId::AllParametersWrite);

    QList<int> expected{HmaxWrite,  LmaxWrite,          KKalmanWrite, ODPMWrite,   KrPerWrite,
                        SmPerWrite, ProgramTypeWrite11, SpeedWrite,   KrFChHWrite, SmFChHWrite,
                        CountBadZonesWrite};
    expected += CodeRange(BadZoneNearWrite1, 20);
    expected += {VariantProcessingWrite, FreqNesWrite, FreqBegWrite, FreqDevWrite, RadiusWrite, MUPWrite, WriteToPZU};
    EXPECT_EQ(bench.SentCodes(), expected);
    EXPECT_TRUE(bench.Messages().isEmpty()) << bench.Messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(bench.clock.clock().PausedMs(), 1000) << "one store, one wait for the gauge's memory";

    // The gauge has the values and keeps them over a power cycle.
    const TSimGaugeParameters gauge = bench.GaugeParameters();
    EXPECT_EQ(gauge.floatParam(FloatParam::Hmax), 21000.0f);
    EXPECT_EQ(gauge.floatParam(FloatParam::Lmax), 20500.0f);
    EXPECT_EQ(gauge.floatParam(31), 1234.5f); // far border of zone 2
    EXPECT_TRUE(QFileInfo::exists(bench.home.file(QStringLiteral("gauge-state.ini"))));
}

TEST(WriteAllParameters, BasicSetAndAFailingStepThatDoesNotStopTheRun)
{
    TProcedureBench bench;
    bench.MakeDeafTo({LmaxWrite});

    bench.Run(TProcedureId::AllParametersWrite);

    // No full mode and a gauge without the extended set: the three basic
    // writes; the deaf one is tried five times and reported.
    QList<int> expected{HmaxWrite};
    expected += QList<int>(5, LmaxWrite);
    expected += {KKalmanWrite, WriteToPZU};
    EXPECT_EQ(bench.SentCodes(), expected);
    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral("Не выполнена команда\rЗаписать Hу max в прибор")});
}

TEST(WriteToRom, StoresWaitsAndRefreshesAlsoAfterAFailure)
{
    TProcedureBench bench;
    bench.Run(TProcedureId::WriteToRom);
    EXPECT_EQ(bench.SentCodes(), QList<int>{WriteToPZU});
    EXPECT_EQ(bench.clock.clock().PausedMs(), 1000);
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 1);

    // A gauge that does not answer: the message, and still the wait and
    // the refresh.
    bench.MakeDeafTo({WriteToPZU});
    bench.Run(TProcedureId::WriteToRom);
    EXPECT_EQ(bench.CountSent(WriteToPZU), 6);
    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral("Не выполнена команда\rЗаписать параметры в ПЗУ")});
    EXPECT_EQ(bench.clock.clock().PausedMs(), 2000);
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 2);
}

TEST(WriteParameter, FailedWriteIsReportedWithItsHintAndNotStored)
{
    TProcedureBench bench;
    bench.MakeDeafTo({HmaxWrite});

    EXPECT_FALSE(WriteParameter(bench.context, HmaxWrite, QStringLiteral("Записать Hmax в прибор")));

    EXPECT_EQ(bench.SentCodes(), QList<int>(5, HmaxWrite));
    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral("Не выполнена команда\rЗаписать Hmax в прибор")});
    const QList<TOperatorCall> warnings = bench.op.CallsOf(QStringLiteral("ShowMessage"));
    EXPECT_EQ(warnings.first().Caption, QStringLiteral("Внимание"));
    EXPECT_EQ(warnings.first().Args.first().toInt(), int(TMessageIcon::Warning));
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);
    // Every attempt showed the repeat text, and the window is closed.
    const QList<TOperatorCall> progress = bench.op.CallsOf(QStringLiteral("ShowProgress"));
    ASSERT_EQ(progress.size(), 5);
    EXPECT_EQ(progress.last().Text, QStringLiteral("Повтор команды Записать Hmax в прибор"));
    EXPECT_FALSE(bench.op.ProgressOpen);

    bench.line.Deaf = nullptr;
    EXPECT_TRUE(WriteParameter(bench.context, HmaxWrite, QStringLiteral("Записать Hmax в прибор")));
    EXPECT_EQ(bench.SentCodes().mid(5), (QList<int>{HmaxWrite, WriteToPZU}));
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 2); // the write's, then the store's
}

TEST(PredictionModes, SetWithoutRefreshOrStoreAndWrittenAsAParameter)
{
    TProcedureBench bench;
    bench.Run(TProcedureId::PredictionMode1);
    EXPECT_EQ(bench.SentCodes(), QList<int>{ModePrediction1});
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);

    bench.model.Config.SetModePrediction(2);
    bench.Run(TProcedureId::PredictionModeWrite);
    EXPECT_EQ(bench.SentCodes(), (QList<int>{ModePrediction1, ModePrediction2, WriteToPZU}));

    // The hint of "Уровень не изменяется" has no closing quote.
    bench.MakeDeafTo({ModePrediction0});
    bench.Run(TProcedureId::PredictionMode0);
    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral(
                                    "Не выполнена команда\rУстановить режим предсказания \"Уровень не изменяется")});
}

TEST(InitAndStop, InitRefreshesEvenAfterAFailureStopDoesNot)
{
    TProcedureBench bench;
    bench.MakeDeafTo({Init, InitReadStop});
    bench.Run(TProcedureId::InitGauge);
    bench.Run(TProcedureId::GaugeModeStop);
    EXPECT_EQ(bench.CountSent(Init), 5);
    EXPECT_EQ(bench.CountSent(InitReadStop), 5);
    EXPECT_EQ(bench.Messages(), (QStringList{QStringLiteral("Не выполнена команда\rИнициализация параметров прибора"),
                                             QStringLiteral("Не выполнена команда\rЗавершить режим")}));
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 1);
}
