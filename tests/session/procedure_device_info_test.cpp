#include "procedure_bench.h"

#include "session/procedures/procedure_device_info.h"

#include <gtest/gtest.h>

namespace {

QList<TOperatorCall> boxes(const TProcedureBench &bench, const QString &caption)
{
    QList<TOperatorCall> found;
    for (const TOperatorCall &call : bench.op.CallsOf(QStringLiteral("ShowMessage")))
        if (call.Caption == caption)
            found.append(call);
    return found;
}

TSimLineConfig gaugeWithIdentity()
{
    TSimLineConfig config;
    config.gauge.parameters.systemAddress = 255;
    config.gauge.parameters.plantNumber = 4321;
    config.gauge.parameters.deviceType = 12;
    config.gauge.parameters.hardVersion = 3;
    config.gauge.parameters.softVersion = 2;
    config.gauge.parameters.softVersionHost = 7;
    config.gauge.parameters.softVersionCOS = 5;
    config.gauge.parameters.crc16Host = 0xFFFF;
    config.gauge.parameters.crc16COS = 0x9E21;
    return config;
}

} // namespace

TEST(SignatureRead, ShowsTheGaugesAnswerInItsBoxThenAppliesTheMode)
{
    TProcedureBench bench(gaugeWithIdentity());
    bench.Run(TProcedureId::SignatureRead);

    EXPECT_EQ(bench.SentCodes(), QList<int>{SignatureRead});
    const QList<TOperatorCall> shown = boxes(bench, QStringLiteral("Сигнатура прибора"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].Args.first().toInt(), int(TMessageIcon::Information));
    EXPECT_EQ(shown[0].Text, QStringLiteral("Системный адрес: 255\r"
                                            "Заводской номер: 4321\r"
                                            "Аппаратная версия: 3\r"
                                            "Программная версия: 2\r"
                                            "Тип прибора: 12 (11 для ТОЛМ471И, ТОЛМ472И)"));
    EXPECT_TRUE(bench.model.Identity.HasExtendedParameters());
    EXPECT_EQ(bench.views.ApplyModeVisibilityCount, 1);
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 1);
}

TEST(SignatureRead, AFailedReadLeavesNothingThatShowsALaterAnswer)
{
    TProcedureBench bench(gaugeWithIdentity());
    bench.MakeDeafTo({SignatureRead});
    bench.Run(TProcedureId::SignatureRead);

    EXPECT_EQ(bench.CountSent(SignatureRead), 5);
    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral("Не выполнена команда\rСчитать сигнатуру прибора")});
    EXPECT_EQ(bench.views.ApplyModeVisibilityCount, 0);
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);

    // The gauge hears again; a quiet read (a backup's, a bundle's) takes its
    // signature without a box.
    bench.line.Deaf = nullptr;
    EXPECT_TRUE(bench.sender.ExchangeQuietly(SignatureRead, 1));
    EXPECT_EQ(bench.model.Config.PlantNumber(), 4321);
    EXPECT_TRUE(boxes(bench, QStringLiteral("Сигнатура прибора")).isEmpty());
}

TEST(IdentificationRead, ShowsEveryLineWithTheProgramDesignations)
{
    TProcedureBench bench(gaugeWithIdentity());
    bench.Run(TProcedureId::IdentificationRead);

    EXPECT_EQ(bench.SentCodes(), QList<int>{IdentificationRead});
    const QList<TOperatorCall> shown = boxes(bench, QStringLiteral("Идентификационные параметры"));
    ASSERT_EQ(shown.size(), 1);
    const QStringList lines = shown[0].Text.split(QLatin1Char('\r'));
    const QStringList expected{
        QStringLiteral("Системный адрес: 255"),
        QStringLiteral("Тип прибора: 12 (11 для ТОЛМ471И)"),
        QStringLiteral("Заводской номер: 4321"),
        QString(),
        QStringLiteral("Номер версии аппаратной части: 3"),
        QString(),
        QStringLiteral("Номер версии программы ТОЛМ471 ХОСТ: 7"),
        QStringLiteral("Номер версии программы ТОЛМ471 ЦОС: 5"),
        QString(),
        QStringLiteral("Контрольная сумма программы ТОЛМ471 ХОСТ: 65535"),
        QStringLiteral("Контрольная сумма программы ТОЛМ471 ЦОС: 40481"),
        QString(),
        QStringLiteral("Обозначение программы ТОЛМ471 ХОСТ: ") + HostProgramDesignation,
        QStringLiteral("Обозначение программы ТОЛМ471 ЦОС: ") + CosProgramDesignation,
    };
    EXPECT_EQ(lines, expected);
    EXPECT_NE(HostProgramDesignation, CosProgramDesignation);
    EXPECT_EQ(bench.views.ApplyModeVisibilityCount, 0);
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 1);
}

TEST(ReadAllParameters, TheSignatureReadFirstDecidesTheExtendedReadsOfTheSameRun)
{
    // The model has not seen this gauge yet: no extended set before the run.
    TProcedureBench bench(gaugeWithIdentity());
    ASSERT_FALSE(bench.model.Identity.HasExtendedParameters());

    bench.Run(TProcedureId::AllParametersRead);
    EXPECT_EQ(bench.SentCodes(), (QList<int>{SignatureRead, HmaxRead, LmaxRead, KKalmanRead, ODPMRead}));
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 6); // the signature's, each read's and the run's
    EXPECT_EQ(bench.views.ApplyValueRangesCount, 2) << "the ranges follow Hmax and Lmax";

    bench.line.Sent.clear();
    bench.context.FullMode = true;
    bench.Run(TProcedureId::AllParametersRead);
    QList<int> expected{SignatureRead, HmaxRead,   LmaxRead,        KKalmanRead, ODPMRead,
                        KrPerRead,     SmPerRead,  ProgramTypeRead, SpeedRead,   KrFChHRead,
                        SmFChHRead,    CountBadZonesRead};
    expected += CodeRange(BadZoneNearRead1, 20);
    expected += {VariantProcessingRead, FreqNesRead, FreqBegRead, FreqDevRead, RadiusRead, MUPRead};
    EXPECT_EQ(bench.SentCodes(), expected);
    EXPECT_TRUE(bench.Messages().size() == 2) << "only the two signature boxes";
}
