// The gauge model as created, its property rules, the processing-variant
// bits, the calibration and test-run presets, the arrays and the bad zones.

#include "device/parameter_table.h"
#include "device/test_run.h"
#include "device/tolm472.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(GaugeModel, StartsWithTheDocumentedValuesAndDescriptions)
{
    Ttolm472 m;
    EXPECT_EQ(m.Description.Title, "ТОЛМ472И");
    EXPECT_EQ(m.Description.Hint, "ТОЛМ472И");
    EXPECT_TRUE(m.Enabled());
    EXPECT_EQ(m.EnabledState.AsInt(), 2);
    EXPECT_EQ(m.EnabledState.Description.Title, "Используется");
    EXPECT_EQ(m.LinkState.AsInt(), 0);
    EXPECT_EQ(m.LinkState.Description.Hint, "Ошибка обмена");
    EXPECT_EQ(m.CalibrMode(), 5);
    EXPECT_EQ(m.ProgonMode(), 5);

    const TDescriptionOfDouble &free = m.Readings.LevelFree.Description;
    EXPECT_EQ(free.Title, "Свободное простанство");
    EXPECT_EQ(free.Hint, "Свободное пространство емкости");
    EXPECT_EQ(free.Dimension, "мм");
    EXPECT_EQ(free.Max(), 45000);
    EXPECT_EQ(free.Digits, 1);

    const TDescriptionOfDouble &temp = m.Readings.Temp.Description;
    EXPECT_EQ(temp.Dimension, "°C");
    EXPECT_EQ(temp.Min(), -50);
    EXPECT_EQ(temp.Max(), 100);
    EXPECT_EQ(m.Readings.Reserve.Description.Digits, 3);
    EXPECT_EQ(m.Readings.Freq.Description.Max(), 100000);
    EXPECT_EQ(m.Readings.CurrentOutput.Description.Dimension, "мА");
    for (const TIODouble *v : {&m.Readings.Freq, &m.Readings.Level, &m.Readings.Reserve, &m.Readings.LevelFree,
                               &m.Readings.Distance, &m.Readings.Temp, &m.Readings.CurrentOutput}) {
        EXPECT_EQ(v->Description.Precision, 9);
        EXPECT_TRUE(v->GetValue().isValid());
        EXPECT_EQ(v->AsDouble(), 0);
    }
}

TEST(GaugeModel, EnabledIsHeldAsAThreeStateValue)
{
    Ttolm472 m;
    int changes = 0;
    m.EnabledState.OnChange = [&](TIOData *) { ++changes; };
    m.SetEnabled(false);
    EXPECT_FALSE(m.Enabled());
    m.SetEnabled(true);
    EXPECT_TRUE(m.Enabled());
    EXPECT_EQ(changes, 2);
    m.EnabledState.SetValue(1); // any non-zero state means in use
    EXPECT_TRUE(m.Enabled());
}

TEST(GaugeModel, SettersRefuseValuesOutOfRange)
{
    Ttolm472 m;
    m.Config.SetLmax(15001); // above Hmax
    EXPECT_EQ(m.Config.Lmax(), 15000);
    m.Config.SetHmax(-1);
    EXPECT_EQ(m.Config.Hmax(), 15000);
    m.Config.SetHmax(20000);
    m.Config.SetLmax(15001);
    EXPECT_EQ(m.Config.Lmax(), 15001);

    m.Config.SetKKalman(0.5);
    m.Config.SetKKalman(0);
    EXPECT_EQ(m.Config.KKalman(), 0.5);
    m.Config.SetKKalman(1.0001);
    EXPECT_EQ(m.Config.KKalman(), 0.5);
    m.Config.SetKKalman(1);
    EXPECT_EQ(m.Config.KKalman(), 1);

    m.Config.SetODPM(0.5);
    EXPECT_EQ(m.Config.ODPM(), 1);
    m.Config.SetODPM(100);
    EXPECT_EQ(m.Config.ODPM(), 100);
    m.Config.SetMUP(51);
    EXPECT_EQ(m.Config.MUP(), 1);
    m.Config.SetMUP(50);
    EXPECT_EQ(m.Config.MUP(), 50);
    m.Config.SetMUP(0);
    EXPECT_EQ(m.Config.MUP(), 50);

    m.Config.SetModePrediction(3);
    m.Config.SetModePrediction(-1);
    EXPECT_EQ(m.Config.ModePrediction(), 0);
    m.Config.SetModePrediction(2);
    EXPECT_EQ(m.Config.ModePrediction(), 2);

    m.Config.SetLevelKalibr(m.Config.Lmax() + 1);
    EXPECT_EQ(m.Config.LevelKalibr(), 0);
    m.Config.SetLevelKalibr(m.Config.Lmax());
    EXPECT_EQ(m.Config.LevelKalibr(), m.Config.Lmax());

    m.Config.SetHmax(std::nan(""));
    m.Config.SetKKalman(std::nan(""));
    EXPECT_EQ(m.Config.Hmax(), 20000);
    EXPECT_EQ(m.Config.KKalman(), 1);
}

TEST(GaugeModel, ChangingErrorMaxRestartsTheFailureCount)
{
    Ttolm472 m;
    m.SetErrorMax(3);
    m.ErrorCount = 2;
    m.SetErrorMax(3);
    EXPECT_EQ(m.ErrorCount, 2);
    m.SetErrorMax(4);
    EXPECT_EQ(m.ErrorCount, 0);
    EXPECT_EQ(m.ErrorMax(), 4);
}

TEST(GaugeModel, ProcessingAlgorithmsExcludeEachOther)
{
    Ttolm472 m;
    m.Config.SetVariantProcessing(0xFFFF);
    m.Config.SetPrediction(true);
    EXPECT_EQ(m.Config.VariantProcessing(), 0xFFFF & ~(1 << 1 | 1 << 3 | 1 << 5));
    m.Config.SetMMP(true);
    EXPECT_TRUE(m.Config.MMP());
    EXPECT_FALSE(m.Config.Prediction());
    EXPECT_FALSE(m.Config.TrackingWindow());
    m.Config.SetTrackingWindow(true);
    EXPECT_FALSE(m.Config.MMP());
    m.Config.SetTimeFilter(true);
    EXPECT_TRUE(m.Config.TrackingWindow()); // the time filter only excludes prediction
    m.Config.SetPrediction(true);
    m.Config.SetTimeFilter(true);
    EXPECT_FALSE(m.Config.Prediction());

    // Clearing a bit clears only that bit; the gauge's other bits stay.
    const uint16_t before = m.Config.VariantProcessing();
    m.Config.SetTimeFilter(false);
    EXPECT_EQ(m.Config.VariantProcessing(), before & ~(1 << 1));
    m.Config.SetSignalAveraging(false);
    EXPECT_EQ(m.Config.VariantProcessing(), before & ~(1 << 1 | 1 << 15));
    m.Config.SetMedianFilter(false);
    m.Config.SetDiscreteErrorCorrection(false);
    m.Config.SetAFCCorrection(false);
    EXPECT_EQ(m.Config.VariantProcessing(), before & ~(1 << 0 | 1 << 1 | 1 << 6 | 1 << 7 | 1 << 15));
    EXPECT_EQ(m.Config.VariantProcessing() & 1 << 2, 1 << 2);
}

TEST(GaugeModel, CalibrationPresetsLoadOnlyOnChange)
{
    Ttolm472 m;
    const double five[] = {10000, 8000, 6000, 4000, 2000};
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(m.Calibration.Points[n].Set, five[n]);
        EXPECT_EQ(m.Calibration.Points[n].Measured, five[n]);
    }
    EXPECT_EQ(m.Calibration.Gate, 1000);

    m.Calibration.Points[0].Measured = 10012;
    m.Calibration.Gate = 500;
    m.SetCalibrMode(5);
    EXPECT_EQ(m.Calibration.Points[0].Measured, 10012);
    m.SetCalibrMode(3);
    EXPECT_EQ(m.CalibrMode(), 3);
    EXPECT_EQ(m.Calibration.Points[0].Measured, 10012);
    EXPECT_EQ(m.Calibration.Gate, 500);

    m.Calibration.Points[2].Measured = 6003;
    m.SetCalibrMode(2);
    EXPECT_EQ(m.Calibration.Points[0].Measured, 10000);
    EXPECT_EQ(m.Calibration.Points[1].Set, 2000);
    EXPECT_EQ(m.Calibration.Points[1].Measured, 2000);
    EXPECT_EQ(m.Calibration.Points[2].Measured, 6003); // beyond the two points nothing changes
    EXPECT_EQ(m.Calibration.Gate, 1000);
}

TEST(GaugeModel, TestRunPresetsFollowTheLoopMapping)
{
    Ttolm472 m;
    const double tape[] = {2000, 4000, 6000, 8000, 10000};
    const double level[] = {13000, 11000, 9000, 7000, 5000};
    for (int n = 0; n < 5; ++n) {
        const TProgonPoint &p = m.TestRun.Points[n];
        EXPECT_EQ(p.Tape, tape[n]);
        EXPECT_EQ(p.LevelExpected, level[n]);
        EXPECT_EQ(p.LevelMeasured, level[n]);
        EXPECT_EQ(p.LevelError, 0);
        EXPECT_DOUBLE_EQ(p.CurrentExpected, level[n] * 16 / 15000 + 4);
        EXPECT_EQ(p.CurrentMeasured, 0);
        EXPECT_DOUBLE_EQ(p.CurrentError, p.CurrentExpected);
    }
    EXPECT_EQ(m.TestRun.Gate, 300);

    // A gate widened before "Прогон начать" survives the template it makes.
    m.TestRun.Gate = 450;
    ASSERT_TRUE(FillTestRunTemplate(m));
    EXPECT_EQ(m.TestRun.Gate, 450);

    m.TestRun.Points[2].CurrentMeasured = 12.5;
    m.TestRun.Gate = 100;
    m.SetProgonMode(2);
    EXPECT_EQ(m.TestRun.Points[0].LevelExpected, 2000);
    EXPECT_EQ(m.TestRun.Points[0].LevelMeasured, 10000);
    EXPECT_EQ(m.TestRun.Points[1].LevelExpected, 10000);
    EXPECT_EQ(m.TestRun.Points[1].LevelMeasured, 2000);
    EXPECT_EQ(m.TestRun.Points[0].Tape, 2000); // only the two levels change
    EXPECT_EQ(m.TestRun.Points[2].CurrentMeasured, 12.5);
    EXPECT_EQ(m.TestRun.Gate, 300);

    m.Config.SetLmax(10000);
    m.SetProgonMode(7); // stored without a preset
    EXPECT_EQ(m.TestRun.Points[0].LevelMeasured, 10000);
    m.SetProgonMode(5);
    EXPECT_DOUBLE_EQ(m.TestRun.Points[4].CurrentExpected, 5000.0 * 16 / 10000 + 4);
    EXPECT_EQ(m.TestRun.Points[2].CurrentMeasured, 0);
}

TEST(GaugeModel, SpectrumMaximumIsNeverBelowZero)
{
    Ttolm472 m;
    m.Arrays.Spectrum.fill(-5);
    EXPECT_EQ(m.Arrays.SpectrumMax(), 0);
    m.Arrays.Spectrum[511] = 42.5;
    m.Arrays.Spectrum[7] = std::nan("");
    EXPECT_EQ(m.Arrays.SpectrumMax(), 42.5);
    m.Arrays.ClearSpectrum();
    EXPECT_EQ(m.Arrays.SpectrumMax(), 0);
    m.Arrays.Signal[1023] = -7;
    m.Arrays.ClearSignal();
    EXPECT_EQ(m.Arrays.Signal[1023], 0);
}

TEST(BadZones, DescribedAndReachableByParameterNumber)
{
    TBadZones zones;
    const TBadZone &third = zones.Zone(3);
    EXPECT_EQ(third.Number(), 3);
    EXPECT_EQ(third.Description.Title, "3.Плохая зона");
    EXPECT_EQ(third.Description.Hint, "3.Плохая зона");
    EXPECT_EQ(third.Near.Description.Title, "Ближняя граница");
    EXPECT_EQ(third.Far.Description.Hint, "Дальняя от фланца граница плохой зоны");
    EXPECT_EQ(third.FillSpeed.Description.Dimension, "мм/с");
    EXPECT_EQ(third.EmptySpeed.Description.Title, "Скорость слива");
    EXPECT_EQ(third.Near.Description.Digits, 1);
    EXPECT_EQ(third.Far.Description.Max(), 100);
    EXPECT_EQ(third.EmptySpeed.Tag, 3);

    // Float parameter numbers 20..24 near, 30..34 far, 40..44 fill speed,
    // 50..54 drain speed of zones 1..5.
    Ttolm472 model;
    for (int n = 1; n <= 5; ++n) {
        TBadZone &z = model.BadZones.Zone(n);
        const std::pair<int, TIODouble *> values[] = {
            {19 + n, &z.Near}, {29 + n, &z.Far}, {39 + n, &z.FillSpeed}, {49 + n, &z.EmptySpeed}};
        for (const auto &[number, value] : values) {
            const TParameter *p = ParameterByNumber(TParameterType::Float, number);
            ASSERT_NE(p, nullptr) << number;
            p->Set(model, 100.0 * n + number);
            EXPECT_EQ(value->AsDouble(), 100.0 * n + number) << p->Name;
        }
    }
    for (int number : {-20, 19, 25, 29, 35, 55, 59, 66, 120, 124})
        EXPECT_EQ(ParameterByNumber(TParameterType::Float, number), nullptr) << number;
}

} // namespace
