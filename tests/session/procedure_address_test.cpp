#include "procedure_bench.h"

#include <gtest/gtest.h>

namespace {

// The simulated gauge as it leaves the factory: address 255, plant number 1.
constexpr int GaugePlantNumber = 1;

} // namespace

TEST(WriteSystemAddress, CancelledAtTheFirstDialogChangesNothing)
{
    TProcedureBench bench;
    bench.model.Config.SetPlantNumber(55);
    bench.op.Answer(TScriptedOperator::Cancel());

    bench.Run(TProcedureId::SystemAddressWrite);

    const QList<TOperatorCall> asked = bench.op.CallsOf(QStringLiteral("InputIntegerConfirmed"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].Caption, QStringLiteral("Введите"));
    EXPECT_EQ(asked[0].Text, QStringLiteral("Заводской номер"));
    EXPECT_EQ(asked[0].Args, (QVariantList{55, 65535, 0}));
    EXPECT_EQ(bench.model.Config.PlantNumber(), 55);
    EXPECT_TRUE(bench.line.Sent.isEmpty());
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);
}

TEST(WriteSystemAddress, CancelledAtTheSecondDialogKeepsThePlantNumberAndSendsNothing)
{
    TProcedureBench bench;
    bench.model.Config.SetSystemAddressNew(9);
    bench.op.Answer(GaugePlantNumber).Answer(TScriptedOperator::Cancel());

    bench.Run(TProcedureId::SystemAddressWrite);

    const QList<TOperatorCall> asked = bench.op.CallsOf(QStringLiteral("InputIntegerConfirmed"));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[1].Text, QStringLiteral("Новый системный адрес [0..254]"));
    EXPECT_EQ(asked[1].Args, (QVariantList{9, 254, 0}));
    EXPECT_EQ(bench.model.Config.PlantNumber(), GaugePlantNumber);
    EXPECT_EQ(bench.model.Config.SystemAddressNew(), 9);
    EXPECT_TRUE(bench.line.Sent.isEmpty());
}

TEST(WriteSystemAddress, TheGaugeAnswersOnItsNewAddressAndTheSignatureIsReadThere)
{
    TProcedureBench bench;
    bench.op.Answer(GaugePlantNumber).Answer(17);

    bench.Run(TProcedureId::SystemAddressWrite);

    ASSERT_EQ(bench.SentCodes(), (QList<int>{SystemAddressWrite, SignatureRead}));
    // Old address, the plant number the gauge must carry, the new address.
    EXPECT_EQ(bench.line.Sent[0].left(7), QByteArray("\xFF\x25\x05\x0B\x00\x01\x11", 7));
    EXPECT_EQ(uint8_t(bench.line.Sent[1].at(0)), 17);
    EXPECT_EQ(bench.GaugeParameters().systemAddress, 17);
    EXPECT_EQ(bench.model.SystemAddress(), 17);
    EXPECT_TRUE(bench.Messages().size() == 1 && bench.Messages()[0].startsWith(QStringLiteral("Системный адрес: 17")));
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 2); // the write's and the signature's
}

TEST(WriteSystemAddress, AnotherPlantNumberIsNotHeardRefreshesAndStillReadsTheSignature)
{
    TProcedureBench bench;
    // The gauge stays silent: a short read time-out keeps the five attempts quick.
    bench.cycle.PortParametersTolm.ReadTotalConstant = 20;
    bench.cycle.PortParametersTolm.ReadTotalMultiplier = 0;
    bench.op.Answer(999).Answer(17);

    bench.Run(TProcedureId::SystemAddressWrite);

    EXPECT_EQ(bench.SentCodes(), (QList<int>(5, SystemAddressWrite) << SignatureRead));
    EXPECT_EQ(bench.GaugeParameters().systemAddress, 255);
    const QStringList messages = bench.Messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], QStringLiteral("Не выполнена команда\rЗаписать системный адрес в прибор"));
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("Системный адрес: 255")));
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 2);
}

TEST(WritePlantNumber, CancelSendsNothingConfirmSendsTheNewNumberAndRefreshes)
{
    TProcedureBench bench;
    bench.model.Config.SetPlantNumberNew(12);
    bench.op.Answer(TScriptedOperator::Cancel());
    bench.Run(TProcedureId::PlantNumberWrite);
    const QList<TOperatorCall> asked = bench.op.CallsOf(QStringLiteral("InputIntegerConfirmed"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].Text, QStringLiteral("Новый заводской номер [0..65535]"));
    EXPECT_EQ(asked[0].Args, (QVariantList{12, 65535, 0}));
    EXPECT_TRUE(bench.line.Sent.isEmpty());
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);

    bench.op.Answer(777);
    bench.Run(TProcedureId::PlantNumberWrite);
    EXPECT_EQ(bench.model.Config.PlantNumberNew(), 777);
    ASSERT_EQ(bench.SentCodes(), QList<int>{PlantNumberWrite});
    EXPECT_EQ(bench.line.Sent[0].left(5), QByteArray("\xFF\x30\x03\x03\x09", 5));
    EXPECT_EQ(bench.GaugeParameters().plantNumber, 777);
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 1);

    // Refreshed also when the gauge does not take it.
    bench.MakeDeafTo({PlantNumberWrite});
    bench.op.Answer(778);
    bench.Run(TProcedureId::PlantNumberWrite);
    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral("Не выполнена команда\rЗаписать заводской номер в прибор")});
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 2);
}
