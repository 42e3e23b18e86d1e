#include "sim/gauge_bus.h"

#include "protocol/frame.h"

#include <algorithm>

TSimGaugeBus::TSimGaugeBus(const QList<TSimGaugeConfig> &configs, TSimClock clock)
{
    // One time base for the whole pair, so every tank runs on the same clock.
    if (!clock)
        clock = MonotonicSimClock();
    m_slots.reserve(size_t(configs.size()));
    for (const TSimGaugeConfig &config : configs)
        m_slots.push_back({std::make_unique<TSimGauge>(config, clock), TSimGaugeLink::Normal});
}

TSimBusAnswer TSimGaugeBus::answer(const QByteArray &request)
{
    QList<QByteArray> answers;
    bool garbled = false;
    for (TSlot &slot : m_slots) {
        if (slot.link == TSimGaugeLink::Silent)
            continue;
        QByteArray a = slot.gauge->answer(request);
        if (a.isEmpty())
            continue;
        if (slot.link == TSimGaugeLink::Garbled) {
            a[a.size() - 1] = char(ByteAt(a, int(a.size() - 1)) ^ 0xFF);
            garbled = true;
        }
        answers.append(a);
    }
    if (answers.isEmpty())
        return {};
    if (answers.size() > 1)
        return {TSimBusOutcome::Collision, CollidedAnswer(answers)};
    return {garbled ? TSimBusOutcome::Garbled : TSimBusOutcome::Answer, answers.first()};
}

QByteArray CollidedAnswer(const QList<QByteArray> &answers)
{
    QByteArray mix;
    for (const QByteArray &a : answers) {
        const qsizetype common = std::min(mix.size(), a.size());
        for (qsizetype i = 0; i < common; ++i)
            mix[i] = char(mix.at(i) & a.at(i));
        if (a.size() > mix.size())
            mix.append(a.mid(mix.size()));
    }
    if (CheckCrc16(mix))
        mix[mix.size() - 1] = char(ByteAt(mix, int(mix.size() - 1)) ^ 0xFF);
    return mix;
}
