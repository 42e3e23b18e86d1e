#pragma once
// The time graph's arithmetic, apart from its widgets: the twelve widths of
// the visible time window, the scroll bar's position (0..100, 100 = the
// newest data) and the texts of times and values.
//
// Times on the chart are archive stamps in seconds (archive_stamp.h: local
// wall-clock time counted like UTC), so the axis labels, read as UTC, show
// the wall clock the readings were taken at.

#include "values/date_time.h"

#include <QDateTime>
#include <QString>

#include <span>

class TDescriptionOfDouble;

struct TTimeStep {
    int Index;
    const char *Action;
    const char *Caption;
    double Seconds;
};

std::span<const TTimeStep> TimeSteps();
// The step that StepIndex applies: its row, "1 день" for any index outside
// 1..12.
const TTimeStep &StepOf(int stepIndex);

// 100 − round((maxX − axisMax) × 100 / (maxX − minX)), halves to even;
// -1 when the data has no extent (maxX not above minX).
int ScrollPosition(double minX, double maxX, double axisMax);
// Where the scroll bar at position puts the axis maximum.
double AxisMaxAt(double minX, double maxX, int position);

double KeyOfDateTime(TDateTime value);
double KeyOfStamp(qint64 stamp);
QDateTime DateTimeOfKey(double key);
// The locale's short date and long time, as every date-time the window shows.
QString DateTimeText(const QDateTime &dateTime);

// A value as the axis labels and the data texts show it: thousands grouped,
// the descriptor's decimals after the separator; the shortest general form
// when the descriptor has no fixed format (Digits 255).
QString GraphValueText(double value, const TDescriptionOfDouble &description);
