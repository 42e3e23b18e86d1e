#include "ui/widgets/vhistogram_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

int HistogramRow(double v, double min, double max, int height)
{
    if (max == min)
        return -1;
    // Thresholds far outside a narrow range would overflow an int; such a
    // row lies off the control either way.
    const double r = std::clamp(std::nearbyint((v - min) * height / (max - min)), -1e7, 1e7);
    return height - int(r);
}

THistogramZone HistogramZone(double v)
{
    if (v >= HistogramUpperAlarm)
        return THistogramZone::UpperAlarm;
    if (v >= HistogramUpperAttention)
        return THistogramZone::UpperAttention;
    if (v > HistogramLowerAttention)
        return THistogramZone::Normal;
    if (v > HistogramLowerAlarm)
        return THistogramZone::LowerAttention;
    return THistogramZone::LowerAlarm;
}

double HistogramScaleStep(double min, double max, int height)
{
    const int marks = height / 10;
    if (marks <= 0 || !(max > min))
        return 0;
    const double raw = (max - min) / marks;
    if (!std::isfinite(raw) || raw <= 0)
        return 0;
    static constexpr std::array<double, 13> series = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000};
    double previous = 0.5;
    for (double step : series) {
        if (raw > previous && raw <= step)
            return step;
        previous = step;
    }
    return raw;
}
