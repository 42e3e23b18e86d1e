// Calibration of the conversion characteristic: the model's coefficients
// from the table's fit, and the errors the calibration window shows.

#include "device/calibration.h"

#include "device/tolm472.h"

#include <algorithm>
#include <cmath>

void Ttolm472::ComputeCalibration()
{
    if (const std::optional<TConversion> fit = Calibration.Fit(m_calibrMode, {Config.KrPer(), Config.SmPer()})) {
        Config.SetKrPer(fit->KrPer);
        Config.SetSmPer(fit->SmPer);
    }
}

std::vector<TCalibrationError> CalibrationErrors(const Ttolm472 &model)
{
    std::vector<TCalibrationError> errors;
    const TGaugeCalibration &table = model.Calibration;
    const int count = std::clamp<int32_t>(model.CalibrMode(), 0, int32_t(table.Points.size()));
    for (int n = 0; n < count && table.KrPerRef != 0; ++n) {
        const TCalibrPoint &point = table.Points[n];
        const double error = model.Config.SmPer() +
                             model.Config.KrPer() * (point.Measured - table.SmPerRef) / table.KrPerRef - point.Set;
        if (!std::isfinite(error))
            break;
        errors.push_back({point.Set, error});
    }
    return errors;
}
