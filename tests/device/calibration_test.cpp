// The least-squares fit of the conversion slope and offset to the
// calibration table.

#include "device/tolm472.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The readings a gauge set to the model's KrPer and SmPer gives at each
// reference when free space really is krTrue * x + smTrue.
void measure(Ttolm472 &m, double krTrue, double smTrue)
{
    for (TCalibrPoint &p : m.Calibration.Points) {
        const double x = (p.Set - smTrue) / krTrue;
        p.Measured = m.Config.KrPer() * x + m.Config.SmPer();
    }
}

TEST(Calibration, PresetTableKeepsTheCoefficients)
{
    Ttolm472 m;
    m.Config.SetKrPer(146.243);
    m.Config.SetSmPer(-12.5);
    m.ComputeCalibration();
    EXPECT_NEAR(m.Config.KrPer(), 146.243, 1e-9);
    EXPECT_NEAR(m.Config.SmPer(), -12.5, 1e-6);
}

TEST(Calibration, RecoversTheTrueLine)
{
    for (int mode : {5, 2}) {
        SCOPED_TRACE(mode);
        Ttolm472 m;
        m.SetCalibrMode(mode);
        m.Config.SetKrPer(150);
        m.Config.SetSmPer(20);
        measure(m, 146.243, -35);
        m.ComputeCalibration();
        EXPECT_NEAR(m.Config.KrPer(), 146.243, 1e-9);
        EXPECT_NEAR(m.Config.SmPer(), -35, 1e-6);
    }
}

TEST(Calibration, UsesOnlyTheActivePointsAndNeverMoreThanTheTable)
{
    Ttolm472 m;
    m.Config.SetKrPer(150);
    m.Config.SetSmPer(20);
    measure(m, 140, 10);
    m.Calibration.Points[3].Measured = 1e6; // outside three active points
    m.Calibration.Points[4].Measured = -1e6;
    m.SetCalibrMode(3);
    m.ComputeCalibration();
    EXPECT_NEAR(m.Config.KrPer(), 140, 1e-9);
    EXPECT_NEAR(m.Config.SmPer(), 10, 1e-6);

    Ttolm472 wide;
    wide.SetCalibrMode(1000); // as loaded from a damaged settings file
    wide.Config.SetKrPer(150);
    wide.Config.SetSmPer(20);
    measure(wide, 140, 10);
    wide.ComputeCalibration();
    EXPECT_NEAR(wide.Config.KrPer(), 140, 1e-9);
}

TEST(Calibration, LeavesTheCoefficientsWhenNoLineFits)
{
    auto unchanged = [](Ttolm472 &m) {
        m.ComputeCalibration();
        return m.Config.KrPer() == 150 && m.Config.SmPer() == 20;
    };
    Ttolm472 same; // all measured values equal: S_xx is 0
    same.Config.SetKrPer(150);
    same.Config.SetSmPer(20);
    for (TCalibrPoint &p : same.Calibration.Points)
        p.Measured = 5000;
    EXPECT_TRUE(unchanged(same));

    Ttolm472 zeroSlope;
    zeroSlope.Config.SetKrPer(0);
    zeroSlope.Config.SetSmPer(20);
    zeroSlope.ComputeCalibration();
    EXPECT_EQ(zeroSlope.Config.KrPer(), 0);
    EXPECT_EQ(zeroSlope.Config.SmPer(), 20);

    for (int mode : {1, 0, -3}) {
        Ttolm472 few;
        few.SetCalibrMode(mode);
        few.Config.SetKrPer(150);
        few.Config.SetSmPer(20);
        measure(few, 140, 10);
        EXPECT_TRUE(unchanged(few)) << mode;
    }

    Ttolm472 garbage;
    garbage.Config.SetKrPer(150);
    garbage.Config.SetSmPer(20);
    garbage.Calibration.Points[1].Measured = std::nan("");
    EXPECT_TRUE(unchanged(garbage));
}

} // namespace
