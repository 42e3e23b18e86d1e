// Calibration of the conversion characteristic. The gauge reports free space
// as KrPer * x + SmPer of an internal quantity x; each calibration point holds
// the reference distance the target was set to and what the gauge reported
// there. The fit recovers x of every point from the coefficients in force and
// fits a least-squares line of the reference distance over x.

#include "device/calibration.h"

#include "device/tolm472.h"

#include <algorithm>
#include <cmath>

void Ttolm472::ComputeCalibration()
{
    // Never more points than the table holds, whatever mode was stored.
    const int count = std::min<int32_t>(m_calibrMode, int32_t(CalibrPoints.size()));
    if (count < 2 || m_krPer == 0)
        return;

    std::array<double, std::tuple_size_v<decltype(CalibrPoints)>> x{};
    double sumX = 0;
    double sumY = 0;
    for (int n = 0; n < count; ++n) {
        x[n] = (CalibrPoints[n].Measured - m_smPer) / m_krPer;
        sumX += x[n];
        sumY += CalibrPoints[n].Set;
    }
    const double meanX = sumX / count;
    const double meanY = sumY / count;

    double sxx = 0;
    double sxy = 0;
    for (int n = 0; n < count; ++n) {
        const double d = x[n] - meanX;
        sxx += d * d;
        sxy += CalibrPoints[n].Set * d;
    }
    if (sxx == 0)
        return;

    const double krPer = sxy / sxx;
    const double smPer = meanY - meanX * krPer;
    // A table of overflowing or non-numeric entries gives no usable line.
    if (!std::isfinite(krPer) || !std::isfinite(smPer))
        return;
    m_krPer = krPer;
    m_smPer = smPer;
}

std::vector<TCalibrationError> CalibrationErrors(const Ttolm472 &model)
{
    std::vector<TCalibrationError> errors;
    const int count = std::clamp<int32_t>(model.CalibrMode(), 0, int32_t(model.CalibrPoints.size()));
    for (int n = 0; n < count && model.KrPerRef != 0; ++n) {
        const TCalibrPoint &point = model.CalibrPoints[n];
        const double error =
            model.SmPer() + model.KrPer() * (point.Measured - model.SmPerRef) / model.KrPerRef - point.Set;
        if (!std::isfinite(error))
            break;
        errors.push_back({point.Set, error});
    }
    return errors;
}
