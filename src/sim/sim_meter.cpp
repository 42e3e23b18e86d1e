#include "sim/sim_meter.h"

#include "sim/answer_builder.h"
#include "protocol/request_layout.h"
#include "sim/sim_gauge.h"
#include "sim/sim_noise.h"

namespace {
constexpr double kNoiseMa = 0.02;
constexpr qint64 kNoiseStepMs = 100;
} // namespace

TSimMeter::TSimMeter(const TSimGauge &gauge, uint64_t seed) : m_gauge(gauge), m_seed(SimMix(seed ^ 0x4D45ull)) {}

double TSimMeter::current() const
{
    const double lmax = TankMaxLevel(m_gauge.parameters());
    const double loop = lmax > 0 ? m_gauge.level() * 16 / lmax + 4 : 4.0;
    return loop + kNoiseMa * SimNoise(m_seed, uint64_t(m_gauge.now() / kNoiseStepMs));
}

QByteArray TSimMeter::answer(const QByteArray &request) const
{
    if (!IsMeterRequest(request))
        return {};
    return AnswerMeterCurrent(current());
}
