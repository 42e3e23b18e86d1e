#pragma once
// What the calibration window shows: the error each calibration point would
// have with the coefficients in force, over the set distance. A point's
// internal quantity is recovered with the reference coefficients saved when
// the fit was last computed: error = SmPer + KrPer * (measured - SmPerRef) /
// KrPerRef - set.

#include <vector>

class Ttolm472;

struct TCalibrationError {
    double Set = 0;   // mm
    double Error = 0; // mm
};

// Points 1 to CalibrMode, in table order; none while the reference slope is
// 0 (no fit computed yet), and the list ends at the first point whose error
// is not a finite number.
std::vector<TCalibrationError> CalibrationErrors(const Ttolm472 &model);
