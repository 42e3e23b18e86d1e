// The fit recovers x of every point from the coefficients in force and fits
// a least-squares line of the reference distance over x.

#include "device/gauge_calibration.h"

#include <algorithm>
#include <cmath>

namespace {

// Calibration references, nearest the flange last: set and measured start equal.
constexpr std::array<double, 5> CalibrationPreset5 = {10000, 8000, 6000, 4000, 2000};
constexpr std::array<double, 2> CalibrationPreset2 = {10000, 2000};
constexpr double CalibrationGatePreset = 1000;

} // namespace

void TGaugeCalibration::LoadPreset(int points)
{
    auto fill = [this](const auto &references) {
        for (size_t n = 0; n < references.size(); ++n)
            Points[n] = {references[n], references[n]};
    };
    if (points == 2)
        fill(CalibrationPreset2);
    else
        fill(CalibrationPreset5);
    Gate = CalibrationGatePreset;
}

std::optional<TConversion> TGaugeCalibration::Fit(int pointsInUse, const TConversion &inForce) const
{
    // Never more points than the table holds, whatever mode was stored.
    const int count = std::min<int32_t>(pointsInUse, int32_t(Points.size()));
    if (count < 2 || inForce.KrPer == 0)
        return std::nullopt;

    std::array<double, std::tuple_size_v<decltype(Points)>> x{};
    double sumX = 0;
    double sumY = 0;
    for (int n = 0; n < count; ++n) {
        x[n] = (Points[n].Measured - inForce.SmPer) / inForce.KrPer;
        sumX += x[n];
        sumY += Points[n].Set;
    }
    const double meanX = sumX / count;
    const double meanY = sumY / count;

    double sxx = 0;
    double sxy = 0;
    for (int n = 0; n < count; ++n) {
        const double d = x[n] - meanX;
        sxx += d * d;
        sxy += Points[n].Set * d;
    }
    if (sxx == 0)
        return std::nullopt;

    const double krPer = sxy / sxx;
    const double smPer = meanY - meanX * krPer;
    // A table of overflowing or non-numeric entries gives no usable line.
    if (!std::isfinite(krPer) || !std::isfinite(smPer))
        return std::nullopt;
    return TConversion{krPer, smPer};
}
