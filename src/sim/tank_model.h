#pragma once
// The product in the simulated tank and what the gauge measures of it.
//
// The level runs up and down between 10 % and 90 % of the maximum level
// (Lmax, at most Hmax) at a steady filling/draining speed, with a ripple of
// about half a millimetre on the surface. From the level:
//   distance   = Hmax - level           (flange to product)
//   free space = Lmax - level           (room left up to the maximum level)
//   reserve    = the level averaged over the last 10 s
//   beat freq  = (distance - SmPer) / KrPer, the inverse of the conversion
//                characteristic distance = KrPer * freq + SmPer
//   gain       = 20 + 60 * distance / Hmax (a far surface needs more gain)
//   temperature: 22 °C swinging by 4 °C over 20 minutes.
//
// On a test bench the "product" is a target put at a position read off a
// tape measure: a held level stays where it is put (the ripple stays, as
// the gauge's own scatter) until it is moved or let go.

#include "sim/gauge_parameters.h"

#include <QtGlobal>
#include <cstdint>
#include <optional>

struct TSimReadings
{
    double freq = 0;
    double distance = 0;
    double level = 0;
    double levelFree = 0;
    double reserve = 0;
    uint16_t gain = 0;
    int8_t temperature = 0;
};

class TSimTank
{
public:
    // speed: filling and draining speed in mm/s (a negative or zero speed
    // keeps the level still). phase: where the tank is on its fill/drain
    // cycle at time 0, as a share of the cycle (0 the lowest level, 0.5 the
    // highest); tanks of one farm are seldom at the same point.
    TSimTank(uint64_t seed, double speed, double phase = DefaultTankPhase);

    // 40 % of the span on the way up.
    static constexpr double DefaultTankPhase = 0.2;

    // A held level in mm; none lets the product fill and drain again.
    void holdLevel(std::optional<double> level);

    // The level at the moment `ms`, for the tank limits in `p`.
    double levelAt(qint64 ms, const TSimGaugeParameters &p) const;
    TSimReadings readingsAt(qint64 ms, const TSimGaugeParameters &p) const;

private:
    double calmLevelAt(qint64 ms, double lmax) const;

    uint64_t m_seed;
    double m_speed;
    double m_phase;
    std::optional<double> m_held;
};

// Hmax and Lmax as the tank uses them: finite, not negative, Lmax <= Hmax.
double TankHeight(const TSimGaugeParameters &p);
double TankMaxLevel(const TSimGaugeParameters &p);
