#pragma once
// The arithmetic of the bar indicator, apart from its drawing: where a value
// lands on the bar, which zone it falls in, and how far apart the scale
// marks stand.

// Fixed thresholds of the indicator's zones, in the units of the value.
inline constexpr double HistogramUpperAlarm = 85;
inline constexpr double HistogramUpperAttention = 80;
inline constexpr double HistogramLowerAttention = 20;
inline constexpr double HistogramLowerAlarm = 15;

enum class THistogramZone { LowerAlarm, LowerAttention, Normal, UpperAttention, UpperAlarm };

// Pixel row of value v on a bar of the given height showing min..max:
// height - round((v - min) * height / (max - min)), halves to even. -1 when
// max equals min (no row: nothing is drawn for the value).
int HistogramRow(double v, double min, double max, int height);

// v >= 85 upper alarm; 80 <= v < 85 upper attention; 20 < v < 80 normal;
// 15 < v <= 20 lower attention; v <= 15 lower alarm.
THistogramZone HistogramZone(double v);

// Distance between the major marks of a scale of max - min over height
// pixels: one mark per 10 pixels at most, rounded up to 1, 2 or 5 times a
// power of ten between 1 and 10000; steps of 0.5 or less and above 10000 are
// used as they are. 0 when there is no room or no range for marks.
double HistogramScaleStep(double min, double max, int height);
