#include "sim/sim_line.h"

QByteArray TSimReply::bytes() const
{
    QByteArray out;
    for (const TSimChunk &c : chunks)
        out += c.bytes;
    return out;
}

qint64 TSimReply::totalUs() const
{
    qint64 total = requestUs;
    for (const TSimChunk &c : chunks)
        total += c.delayUs + c.durationUs;
    return total;
}

TSimLine::TSimLine(const TSimLineConfig &config, TSimClock clock)
    : m_gauges(QList<TSimGaugeConfig>{config.gauge} + config.moreGauges, std::move(clock)),
      m_meter(m_gauges.gauge(0), config.gauge.seed),
      m_faults(config.faults),
      m_timing(config.timing),
      m_gaugeParity(config.gaugeParity)
{
}

TSimReply TSimLine::answer(const QByteArray &request, bool toMeter)
{
    const bool parity = toMeter ? false : m_gaugeParity;
    const auto lineUs = [&](qsizetype n) {
        return m_timing.enabled ? LineTimeUs(int(n), m_timing.baud, parity) : 0;
    };
    TSimReply reply;
    reply.requestUs = lineUs(request.size());

    TSimBusAnswer heard;
    if (toMeter) {
        heard.bytes = m_meter.answer(request);
        heard.outcome = heard.bytes.isEmpty() ? TSimBusOutcome::Silence : TSimBusOutcome::Answer;
    } else {
        heard = m_gauges.answer(request);
    }
    reply.bus = heard.outcome;
    if (heard.bytes.isEmpty())
        return reply;
    const TSimFaultOutcome outcome = heard.outcome == TSimBusOutcome::Answer
                                         ? m_faults.apply(heard.bytes, toMeter)
                                         : TSimFaultOutcome{TSimFault::None, heard.bytes};
    reply.fault = outcome.fault;
    if (outcome.bytes.isEmpty())
        return reply;

    const qint64 turnaroundUs = m_timing.enabled ? qint64(m_timing.turnaroundMs) * 1000 : 0;
    if (outcome.splitAt > 0) {
        const QByteArray first = outcome.bytes.left(outcome.splitAt);
        const QByteArray rest = outcome.bytes.mid(outcome.splitAt);
        const qint64 pauseUs = qint64(m_faults.config().splitPauseMs) * 1000;
        reply.chunks.append({first, turnaroundUs, lineUs(first.size())});
        reply.chunks.append({rest, pauseUs, lineUs(rest.size())});
    } else {
        reply.chunks.append({outcome.bytes, turnaroundUs, lineUs(outcome.bytes.size())});
    }
    return reply;
}
