#include "procedure_bench.h"

#include <gtest/gtest.h>

namespace {

TSimLineConfig gaugeWithZones()
{
    TSimLineConfig config;
    config.gauge.parameters.floats[20] = 100;  // near border of zone 1
    config.gauge.parameters.floats[31] = 2500; // far border of zone 2
    return config;
}

} // namespace

TEST(ReadBadZones, OnlyAGaugeWithTheExtendedSetIsAsked)
{
    TProcedureBench bench(gaugeWithZones());
    bench.Run(TProcedureId::BadZonesRead);
    EXPECT_TRUE(bench.line.Sent.isEmpty());
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);
    EXPECT_TRUE(bench.op.Calls.isEmpty());

    bench.model.Identity.SoftVersion = 2;
    bench.Run(TProcedureId::BadZonesRead);
    EXPECT_EQ(bench.SentCodes(), CodeRange(BadZoneNearRead1, 20));
    EXPECT_EQ(bench.model.BadZones.Zone(1).Near.AsDouble(), 100);
    EXPECT_EQ(bench.model.BadZones.Zone(2).Far.AsDouble(), 2500);
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 1);
}

TEST(ReadBadZones, TheFirstFailureStopsTheReadAndKeepsWhatCameBefore)
{
    TProcedureBench bench(gaugeWithZones());
    bench.model.Identity.SoftVersion = 2;
    bench.model.BadZones.Zone(2).Far.SetValue(7);
    bench.MakeDeafTo({BadZoneFarRead1});

    bench.Run(TProcedureId::BadZonesRead);

    EXPECT_EQ(bench.SentCodes(), CodeRange(BadZoneNearRead1, 5) + QList<int>(5, BadZoneFarRead1));
    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral("Не выполнена команда\rСчитать информацию о плохих зонах")});
    EXPECT_EQ(bench.model.BadZones.Zone(1).Near.AsDouble(), 100);
    EXPECT_EQ(bench.model.BadZones.Zone(2).Far.AsDouble(), 7);
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);
}

TEST(WriteBadZones, AllTwentyGoOutWhateverTheGaugeThenTheStore)
{
    TProcedureBench bench;
    bench.model.Config.SetCountBadZones(1);
    bench.model.BadZones.Zone(1).Near.SetValue(1234.5);

    bench.Run(TProcedureId::BadZonesWrite);

    EXPECT_EQ(bench.SentCodes(), CodeRange(BadZoneNearWrite1, 20) << WriteToPZU);
    EXPECT_EQ(bench.line.Sent[0].mid(1, 7), QByteArray("\xB3\x06\x14\x44\x9A\x50\x00", 7));
    EXPECT_EQ(bench.GaugeParameters().floatParam(20), 1234.5f);
    EXPECT_TRUE(bench.Messages().isEmpty());
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 2); // the store's and the write's
}

TEST(WriteBadZones, TheFirstFailureStopsTheWriteWithoutStoring)
{
    TProcedureBench bench;
    bench.MakeDeafTo({BadZoneFarWrite1 + 2});

    bench.Run(TProcedureId::BadZonesWrite);

    EXPECT_EQ(bench.SentCodes(), CodeRange(BadZoneNearWrite1, 7) + QList<int>(5, BadZoneFarWrite1 + 2));
    EXPECT_EQ(bench.Messages(), QStringList{QStringLiteral("Не выполнена команда\rЗаписать информацию о плохих зонах")});
    EXPECT_EQ(bench.views.UpdateAllViewsCount, 0);
}
