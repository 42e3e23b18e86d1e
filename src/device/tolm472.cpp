// Construction, defaults and property rules of the gauge model; the request
// builder, the answer parsers and the calibration fit live in their own files.

#include "device/tolm472.h"

#include "device/test_run.h"

Ttolm472::Ttolm472(const QString &programFolder)
    : ProgramFolder(programFolder)
{
    Description.Title = QStringLiteral("ТОЛМ472И");
    Description.Hint = Description.Title;

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

// --- Link settings ---------------------------------------------------------

void Ttolm472::SetErrorMax(uint16_t v)
{
    if (v != m_errorMax)
        ErrorCount = 0;
    m_errorMax = v;
    if (OnLinkSettings)
        OnLinkSettings();
}

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
