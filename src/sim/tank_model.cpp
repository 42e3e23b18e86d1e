#include "sim/tank_model.h"

#include "sim/sim_noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double finiteOrZero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

// Surface ripple changes every 100 ms.
constexpr qint64 kRippleStepMs = 100;
constexpr double kRippleMm = 0.5;
constexpr qint64 kReserveWindowMs = 10000;

} // namespace

double TankHeight(const TSimGaugeParameters &p)
{
    return std::max(0.0, finiteOrZero(p.floatParam(FloatParam::Hmax)));
}

double TankMaxLevel(const TSimGaugeParameters &p)
{
    return std::clamp(finiteOrZero(p.floatParam(FloatParam::Lmax)), 0.0, TankHeight(p));
}

TSimTank::TSimTank(uint64_t seed, double speed, double phase)
    : m_seed(seed), m_speed(finiteOrZero(speed)), m_phase(finiteOrZero(phase))
{
}

void TSimTank::holdLevel(std::optional<double> level)
{
    if (level && !std::isfinite(*level))
        level.reset();
    m_held = level;
}

double TSimTank::calmLevelAt(qint64 ms, double lmax) const
{
    if (m_held)
        return *m_held;
    const double low = 0.1 * lmax;
    const double span = 0.8 * lmax;
    if (span <= 0 || m_speed <= 0)
        return low + 0.4 * span;
    // A triangle wave starting at m_phase of its cycle.
    const double period = 2 * span / m_speed * 1000.0; // ms
    double phase = std::fmod(double(ms) / period + m_phase, 1.0);
    if (phase < 0)
        phase += 1.0;
    const double up = phase < 0.5 ? phase * 2 : 2 - phase * 2;
    return low + span * up;
}

double TSimTank::levelAt(qint64 ms, const TSimGaugeParameters &p) const
{
    const double lmax = TankMaxLevel(p);
    const double ripple = kRippleMm * SimNoise(m_seed, uint64_t(ms / kRippleStepMs));
    return std::clamp(calmLevelAt(ms, lmax) + ripple, 0.0, TankHeight(p));
}

TSimReadings TSimTank::readingsAt(qint64 ms, const TSimGaugeParameters &p) const
{
    const double hmax = TankHeight(p);
    const double lmax = TankMaxLevel(p);
    TSimReadings r;
    r.level = levelAt(ms, p);
    r.distance = hmax - r.level;
    r.levelFree = std::max(0.0, lmax - r.level);

    double sum = 0;
    constexpr int samples = 11;
    for (int i = 0; i < samples; ++i)
        sum += calmLevelAt(ms - kReserveWindowMs * i / (samples - 1), lmax);
    r.reserve = sum / samples;

    const double krPer = finiteOrZero(p.floatParam(FloatParam::KrPer));
    const double smPer = finiteOrZero(p.floatParam(FloatParam::SmPer));
    r.freq = krPer != 0 ? (r.distance - smPer) / krPer : 0.0;

    r.gain = uint16_t(std::lround(20 + (hmax > 0 ? 60 * r.distance / hmax : 0)));
    const double minutes = double(ms) / 60000.0;
    r.temperature = int8_t(std::lround(22 + 4 * std::sin(2 * std::numbers::pi * minutes / 20)));
    return r;
}
