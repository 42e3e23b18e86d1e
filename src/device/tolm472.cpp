// Construction, defaults and property rules of the gauge model; the request
// builder, the answer parsers and the calibration fit live in their own files.

#include "device/tolm472.h"

#include "device/test_run.h"

namespace {

void describe(TIODouble &value, const QString &title, const QString &hint, const QString &dimension, double min,
              double max, uint8_t digits)
{
    TDescriptionOfDouble &d = value.Description;
    d.Title = title;
    d.Hint = hint;
    d.Dimension = dimension;
    d.SetRange(max, min);
    d.Precision = 9;
    d.Digits = digits;
}

} // namespace

Ttolm472::Ttolm472(const QString &programFolder)
    : ProgramFolder(programFolder)
{
    Description.Title = QStringLiteral("ТОЛМ472И");
    Description.Hint = Description.Title;

    const QString mm = QStringLiteral("мм");
    describe(Freq, QStringLiteral("Оценка частоты биений"), QStringLiteral("Оценка частоты биений"), QString(), 0,
             100000, 2);
    describe(Level, QStringLiteral("Уровень"), QStringLiteral("Уровень продукта"), mm, 0, 45000, 1);
    describe(Reserve, QStringLiteral("Резерв"), QStringLiteral("Резерв"), QStringLiteral("-"), 0, 45000, 3);
    describe(LevelFree, QStringLiteral("Свободное простанство"), QStringLiteral("Свободное пространство емкости"), mm,
             0, 45000, 1);
    describe(Distance, QStringLiteral("Расстояние"), QStringLiteral("Расстояние до продукта"), mm, 0, 45000, 1);
    describe(Temp, QStringLiteral("Температура"), QStringLiteral("Температура внутри прибора"), QStringLiteral("°C"),
             -50, 100, 1);
    describe(CurrentOutput, QStringLiteral("Ток"), QStringLiteral("Ток"), QStringLiteral("мА"), 0, 20, 2);

    LinkState.Description.Title = QStringLiteral("Ошибка");
    LinkState.Description.Hint = QStringLiteral("Ошибка обмена");
    EnabledState.Description.Title = QStringLiteral("Используется");
    EnabledState.Description.Hint = EnabledState.Description.Title;
    EnabledState.SetValue(QVariant(int(tsTrue)));

    SetCalibrMode(5);
    SetProgonMode(5);
}

// --- Enabled ---------------------------------------------------------------

bool Ttolm472::Enabled() const
{
    return EnabledState.GetValue().toInt() != 0;
}

void Ttolm472::SetEnabled(bool v)
{
    // Held in the three-state form the model starts with: 2 in use, 0 not.
    EnabledState.SetValue(QVariant(int(v ? tsTrue : tsUnknown)));
}

// --- Setters with rules ----------------------------------------------------

void Ttolm472::SetErrorMax(uint16_t v)
{
    if (v != m_errorMax)
        ErrorCount = 0;
    m_errorMax = v;
    if (OnLinkSettings)
        OnLinkSettings();
}

void Ttolm472::SetHmax(double v)
{
    if (v != m_hmax && v >= 0)
        m_hmax = v;
}

void Ttolm472::SetLmax(double v)
{
    if (v != m_lmax && v >= 0 && v <= m_hmax)
        m_lmax = v;
}

void Ttolm472::SetKKalman(double v)
{
    if (v > 0 && v <= 1)
        m_kKalman = v;
}

void Ttolm472::SetLevelKalibr(double v)
{
    if (v >= 0 && v <= m_lmax)
        m_levelKalibr = v;
}

void Ttolm472::SetModePrediction(int v)
{
    if (v >= 0 && v <= 2)
        m_modePrediction = uint8_t(v);
}

void Ttolm472::SetODPM(double v)
{
    if (v != m_odpm && v >= 1 && v <= 100)
        m_odpm = v;
}

void Ttolm472::SetMUP(int v)
{
    if (v != m_mup && v >= 1 && v <= 50)
        m_mup = uint16_t(v);
}

// --- Processing-variant bits -------------------------------------------------
// The gauge runs one tracking algorithm at a time; the time filter does not
// combine with prediction.

void Ttolm472::setBit(int n, bool on, std::initializer_list<int> clears)
{
    uint16_t v = m_variantProcessing;
    if (on) {
        v |= uint16_t(1u << n);
        for (int c : clears)
            v &= uint16_t(~(1u << c));
    } else {
        v &= uint16_t(~(1u << n));
    }
    m_variantProcessing = v;
}

void Ttolm472::SetMedianFilter(bool on) { setBit(0, on); }
void Ttolm472::SetTimeFilter(bool on) { setBit(1, on, {4}); }
void Ttolm472::SetTrackingWindow(bool on) { setBit(3, on, {4, 5}); }
void Ttolm472::SetPrediction(bool on) { setBit(4, on, {1, 3, 5}); }
void Ttolm472::SetMMP(bool on) { setBit(5, on, {4, 3}); }
void Ttolm472::SetDiscreteErrorCorrection(bool on) { setBit(6, on); }
void Ttolm472::SetAFCCorrection(bool on) { setBit(7, on); }
void Ttolm472::SetSignalAveraging(bool on) { setBit(15, on); }

// --- Calibration and test-run tables ------------------------------------------

void Ttolm472::SetCalibrMode(int32_t v)
{
    if (v == m_calibrMode)
        return;
    m_calibrMode = v;
    if (v == 2 || v == 5)
        Calibration.LoadPreset(v);
}

void Ttolm472::SetProgonMode(int32_t v)
{
    if (v == m_progonMode)
        return;
    m_progonMode = v;
    if (v == 2 || v == 5)
        presetProgon(v);
}

void Ttolm472::presetProgon(int points)
{
    if (points == 2) {
        TestRun.Points[0].LevelExpected = 2000;
        TestRun.Points[0].LevelMeasured = 10000;
        TestRun.Points[1].LevelExpected = 10000;
        TestRun.Points[1].LevelMeasured = 2000;
        TestRun.Gate = TestRunGatePreset;
    } else {
        // Without a loop scale (Lmax 0) the table stays as it was. The gate
        // comes with the preset only: a template made later keeps the gate
        // the engineer set.
        if (FillTestRunTemplate(*this))
            TestRun.Gate = TestRunGatePreset;
    }
}

QString Ttolm472::ModelName() const
{
    if (!m_gaugeAnswered)
        return QString();
    if (ProgramType == 11)
        return QStringLiteral("ТОЛМ471И");
    if (ProgramType == 12)
        return QStringLiteral("ТОЛМ472И");
    return QString();
}
