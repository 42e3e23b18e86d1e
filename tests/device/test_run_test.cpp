// The test run's table: which point a level falls into, what a capture and
// a tape reading recalculate, and that a gauge without a loop scale leaves
// the table as it was. The calibration window's errors.

#include "device/calibration.h"
#include "device/test_run.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool sameTable(const Ttolm472 &a, const Ttolm472 &b)
{
    for (size_t n = 0; n < a.TestRun.Points.size(); ++n) {
        const TProgonPoint &p = a.TestRun.Points[n];
        const TProgonPoint &q = b.TestRun.Points[n];
        const double x[] = {p.Tape, p.LevelExpected, p.LevelMeasured, p.LevelError, p.CurrentExpected,
                            p.CurrentMeasured, p.CurrentError};
        const double y[] = {q.Tape, q.LevelExpected, q.LevelMeasured, q.LevelError, q.CurrentExpected,
                            q.CurrentMeasured, q.CurrentError};
        if (std::memcmp(x, y, sizeof x) != 0 || p.Captured != q.Captured)
            return false;
    }
    return a.TestRun.Gate == b.TestRun.Gate;
}

} // namespace

TEST(TestRun, GatesAreInclusiveAndTheFirstMatchingPointWins)
{
    Ttolm472 m; // the template, gate 300
    EXPECT_EQ(TestRunPointAt(m, 11700), 0) << "more than 300 from 11000 and from 13000";
    EXPECT_EQ(TestRunPointAt(m, 12700), 1);
    EXPECT_EQ(TestRunPointAt(m, 13300), 1);
    EXPECT_EQ(TestRunPointAt(m, 5000), 5);
    m.TestRun.Gate = 0;
    EXPECT_EQ(TestRunPointAt(m, 9000), 3);
    EXPECT_EQ(TestRunPointAt(m, 9000.001), 0);
    m.TestRun.Gate = 2000; // overlapping gates: the lower point number
    EXPECT_EQ(TestRunPointAt(m, 12000), 1);
}

TEST(TestRun, CaptureRecalculatesEveryPointAndTapeSetsTheExpectedLevel)
{
    Ttolm472 m;
    ASSERT_EQ(m.Config.Lmax(), 15000);
    const QDateTime at(QDate(2026, 12, 9), QTime(10, 0));
    m.TestRun.Points[0].CurrentMeasured = 17.9; // captured earlier
    ASSERT_TRUE(CaptureTestRunPoint(m, 4, 7500, 12.5, at));
    const TProgonPoint &p4 = m.TestRun.Points[3];
    EXPECT_DOUBLE_EQ(p4.CurrentExpected, 12.0);
    EXPECT_DOUBLE_EQ(p4.CurrentError, -0.5);
    EXPECT_DOUBLE_EQ(p4.LevelError, 7000 - 7500);
    EXPECT_EQ(p4.Captured, at);
    EXPECT_FALSE(TestRunCurrentFails(p4)) << "a negative error is never a failure";
    EXPECT_DOUBLE_EQ(m.TestRun.Points[0].CurrentError, 13000.0 * 16 / 15000 + 4 - 17.9) << "all points recalculated";

    TProgonPoint edge;
    edge.CurrentError = 0.026;
    EXPECT_FALSE(TestRunCurrentFails(edge));
    edge.CurrentError = 0.027;
    EXPECT_TRUE(TestRunCurrentFails(edge));

    ASSERT_TRUE(SetTestRunTape(m, 3, 6500));
    EXPECT_EQ(m.TestRun.Points[2].LevelExpected, 8500);
    EXPECT_EQ(m.TestRun.Points[2].LevelMeasured, 8500);
    EXPECT_DOUBLE_EQ(m.TestRun.Points[2].CurrentExpected, 8500.0 * 16 / 15000 + 4);
    EXPECT_DOUBLE_EQ(m.TestRun.Points[3].CurrentExpected, 7000.0 * 16 / 15000 + 4) << "from the expected level";
    EXPECT_FALSE(SetTestRunTape(m, 6, 100));
    EXPECT_FALSE(CaptureTestRunPoint(m, 0, 100, 4, at));
}

TEST(TestRun, WithoutALoopScaleNothingInTheTableChanges)
{
    Ttolm472 m;
    ASSERT_TRUE(CaptureTestRunPoint(m, 2, 11001, 14.7, QDateTime(QDate(2026, 12, 9), QTime(9, 0))));
    m.Config.SetLmax(0);
    ASSERT_EQ(m.Config.Lmax(), 0);
    Ttolm472 before;
    before.TestRun.Points = m.TestRun.Points;
    before.TestRun.Gate = m.TestRun.Gate;

    EXPECT_FALSE(CaptureTestRunPoint(m, 1, 13002, 17.8, QDateTime::currentDateTime()));
    EXPECT_FALSE(SetTestRunTape(m, 3, 6500));
    EXPECT_FALSE(FillTestRunTemplate(m));
    EXPECT_FALSE(RecalculateTestRun(m));
    m.SetProgonMode(7);
    m.SetProgonMode(5); // the preset of five points is the template
    EXPECT_TRUE(sameTable(m, before)) << "no point half recalculated, no infinite current";
}

TEST(CalibrationErrors, FollowTheReferenceCoefficientsAndStayEmptyWithoutThem)
{
    Ttolm472 m;
    m.Config.SetKrPer(150);
    m.Config.SetSmPer(10);
    EXPECT_TRUE(CalibrationErrors(m).empty()) << "no fit computed yet";

    m.Calibration.KrPerRef = 150;
    m.Calibration.SmPerRef = 10;
    m.Calibration.Points[0].Measured += 1.5;
    const std::vector<TCalibrationError> start = CalibrationErrors(m);
    ASSERT_EQ(start.size(), size_t(m.CalibrMode()));
    EXPECT_DOUBLE_EQ(start[0].Error, 1.5);
    EXPECT_DOUBLE_EQ(start[1].Error, 0);

    m.Config.SetSmPer(10.1); // the base shifts every error alike
    const std::vector<TCalibrationError> shifted = CalibrationErrors(m);
    for (size_t n = 0; n < start.size(); ++n)
        EXPECT_NEAR(shifted[n].Error - start[n].Error, 0.1, 1e-9);
    m.Config.SetKrPer(150.15); // the slope in proportion to (measured - SmPerRef) / KrPerRef
    const std::vector<TCalibrationError> sloped = CalibrationErrors(m);
    for (size_t n = 0; n < start.size(); ++n)
        EXPECT_NEAR(sloped[n].Error - shifted[n].Error, 0.15 * (m.Calibration.Points[n].Measured - 10) / 150, 1e-9);

    m.SetCalibrMode(2);
    EXPECT_EQ(CalibrationErrors(m).size(), size_t(2));
}
