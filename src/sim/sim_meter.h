#pragma once
// The simulated current-loop meter (ЛЮМИДОР-906) on the gauge's line. It
// measures the gauge's 4-20 mA output, which follows the level:
//   current = level * 16 / Lmax + 4 mA, plus up to ±0.02 mA of noise
// (4 mA when Lmax is 0). It answers only its own fixed request.

#include <QByteArray>
#include <cstdint>

class TSimGauge;

class TSimMeter
{
public:
    TSimMeter(const TSimGauge &gauge, uint64_t seed);

    // The 8-byte answer to 01 00 01 00 A0; empty for anything else.
    QByteArray answer(const QByteArray &request) const;
    // The current the meter reads at present, in mA.
    double current() const;

private:
    const TSimGauge &m_gauge;
    uint64_t m_seed;
};
