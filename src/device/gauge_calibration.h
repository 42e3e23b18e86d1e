#pragma once
// The calibration table: up to five points, each a reference distance the
// target was set to and what the gauge reported there, the capture gate, and
// the coefficients in force when the fit was last computed (the reference
// that recovers a point's internal quantity later).

#include <array>
#include <optional>

struct TCalibrPoint {
    double Set = 0;      // reference (set) free space, mm
    double Measured = 0; // the gauge's reading at that reference, mm
};

// The gauge's conversion characteristic: free space = KrPer * x + SmPer of an
// internal quantity x.
struct TConversion {
    double KrPer = 0;
    double SmPer = 0;
};

struct TGaugeCalibration {
    std::array<TCalibrPoint, 5> Points{};
    double Gate = 0;
    double KrPerRef = 0;
    double SmPerRef = 0;

    // The preset of a table of 2 points (else of 5): references nearest the
    // flange last, set and measured equal, and the preset gate.
    void LoadPreset(int points);

    // Least-squares fit of the conversion to the first `pointsInUse` points
    // (never more than the table holds), each point's x recovered with the
    // conversion in force; nothing with fewer than two points, equal x
    // values, KrPer 0 or a line that is not finite.
    std::optional<TConversion> Fit(int pointsInUse, const TConversion &inForce) const;
};
