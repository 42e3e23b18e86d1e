// The calibration and test-run writes: polling stopped for them and started
// again only if it ran; the tank of the bench written with one store.

#include "procedure_bench.h"

#include "device/test_run.h"
#include "session/procedures/procedure_test_run.h"

#include <gtest/gtest.h>

TEST(TestRunProcedures, StartWritesTheBenchTankWithOneStoreAndKeepsATableTheOperatorKept)
{
    TProcedureBench bench;
    bench.views.Polling = true;
    ASSERT_TRUE(CaptureTestRunPoint(bench.model, 2, 11002, 14.8, QDateTime(QDate(2026, 12, 8), QTime(9, 0))));
    const TProgonPoint kept = bench.model.TestRun.Points[1];
    bench.model.Config.SetHmax(30000);
    bench.model.Config.SetLmax(30000);
    bench.op.Answer(false); // "Создать шаблон прогона?"

    StartTestRun(bench.context);
    EXPECT_EQ(bench.op.CallsOf(QStringLiteral("AskYesNo")).value(0).Text, QStringLiteral("Создать шаблон прогона?"));
    EXPECT_EQ(bench.model.TestRun.Points[1].LevelMeasured, kept.LevelMeasured);
    EXPECT_EQ(bench.model.Config.Hmax(), 15000);
    EXPECT_EQ(bench.model.Config.Lmax(), 15000);
    EXPECT_EQ(bench.SentCodes(), (QList<int>{LmaxWrite, HmaxWrite, WriteToPZU}));
    EXPECT_TRUE(bench.views.Polling);
    EXPECT_EQ(bench.views.PollingStarts, 1);

    // Stopped: back to the gauge's tank, polling left as it was (stopped).
    bench.line.Sent.clear();
    bench.views.Polling = false;
    StopTestRun(bench.context);
    EXPECT_EQ(bench.model.Config.Hmax(), 30000);
    EXPECT_EQ(bench.model.Config.Lmax(), 30000);
    EXPECT_EQ(bench.SentCodes(), (QList<int>{LmaxWrite, HmaxWrite, WriteToPZU}));
    EXPECT_EQ(bench.views.PollingStarts, 1);
}

TEST(TestRunProcedures, WithoutALoopScaleTheTemplateIsRefusedWithAReason)
{
    TProcedureBench bench;
    bench.model.Config.SetLmax(0);
    bench.model.TestRun.Points[0].Tape = 1234;
    bench.op.Answer(true);
    EXPECT_FALSE(CreateTestRunTemplate(bench.context));
    EXPECT_EQ(bench.model.TestRun.Points[0].Tape, 1234);
    ASSERT_EQ(bench.Messages().size(), 1);
    EXPECT_TRUE(bench.Messages().first().startsWith(QStringLiteral("Hу max равен 0")));
}

TEST(CalibrationProcedures, CoefficientsAreWrittenAndStoredWithoutStartingPolling)
{
    TProcedureBench bench;
    bench.model.Config.SetKrPer(151.25);
    bench.model.Config.SetSmPer(-3.5);
    WriteCalibrationCoefficients(bench.context);
    EXPECT_EQ(bench.SentCodes(), (QList<int>{KrPerWrite, WriteToPZU, SmPerWrite, WriteToPZU}));
    EXPECT_EQ(bench.views.PollingStarts, 0) << "polling was stopped before";
}
