#pragma once
// The test run of a finished gauge on the bench: a target at five positions
// read off a tape measure; at each the level the gauge reports and the
// current its 4-20 mA loop gives (measured by the meter on the line) are
// captured and compared with what the tape says they should be.
//
// The loop's current for a level is level * 16 / Lmax + 4. A gauge whose
// Lmax is not above 0 has no loop scale: every step that needs currents is
// refused before it changes anything, so the table is never left with half
// its points recalculated.

#include "device/tolm472.h"

#include <QDateTime>

#include <optional>

// What the operator is told when a step is refused for want of a loop scale.
QString NoLoopScaleWarning();

// The capture gate of a new table, mm.
constexpr double TestRunGatePreset = 300;

// The loop current of a level, mA; nothing without a loop scale.
std::optional<double> LoopCurrent(double level, double lmax);

// The points in use: ProgonMode, never more than the table holds.
int TestRunPoints(const Ttolm472 &model);

// The first point whose gate (its expected level ± ProgonGate, inclusive)
// holds the level: 1 to ProgonMode; 0 when none does.
int TestRunPointAt(const Ttolm472 &model, double level);

// Every point: LevelError, CurrentExpected (from the measured level) and
// CurrentError. False, nothing changed, without a loop scale.
bool RecalculateTestRun(Ttolm472 &model);

// A capture at point n (1 to 5): the level and current measured now, then
// every point recalculated. False, nothing changed, for a point outside the
// table or without a loop scale.
bool CaptureTestRunPoint(Ttolm472 &model, int point, double level, double current, const QDateTime &at);

// The tape reading of point n: its expected and measured levels become
// Lmax - tape and the expected currents of all points follow their expected
// levels. False, nothing changed, as above.
bool SetTestRunTape(Ttolm472 &model, int point, double tape);

// The five-point template: tapes 2000 to 10000 mm, expected and measured
// levels 15000 - tape, no currents measured; expected currents from the
// expected levels, then every point recalculated. The gate stays as it is
// (only the preset of the number of points sets it). False, nothing
// changed, without a loop scale.
bool FillTestRunTemplate(Ttolm472 &model);

// How a cell of the current point's row is marked: the present level within
// 2 mm of the expected one is green, within 10 mm yellow.
enum class TTestRunMark { None, Green, Yellow };
TTestRunMark TestRunRowMark(const TProgonPoint &point, double level);
// The current error counts as a failure above +0.026 mA; a negative error
// never does.
bool TestRunCurrentFails(const TProgonPoint &point);
