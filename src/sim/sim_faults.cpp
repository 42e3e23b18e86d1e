#include "sim/sim_faults.h"

#include "protocol/frame.h"
#include "sim/answer_builder.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <array>

namespace {

struct TFaultName
{
    TSimFault fault;
    const char *name;
};

constexpr std::array<TFaultName, 8> kNames{{
    {TSimFault::None, "none"},
    {TSimFault::NoAnswer, "no-answer"},
    {TSimFault::BadCrc, "bad-crc"},
    {TSimFault::ErrorAnswer, "error"},
    {TSimFault::Truncated, "truncated"},
    {TSimFault::Garbage, "garbage"},
    {TSimFault::Split, "split"},
    {TSimFault::WrongAddress, "wrong-address"},
}};

constexpr int kMaxGarbage = 32;

bool appliesToMeter(TSimFault fault)
{
    return fault != TSimFault::ErrorAnswer && fault != TSimFault::WrongAddress;
}

bool checksumRight(const QByteArray &bytes, bool meter)
{
    return meter ? CheckCrc8(bytes) : CheckCrc16(bytes);
}

} // namespace

QString SimFaultName(TSimFault fault)
{
    for (const auto &n : kNames)
        if (n.fault == fault)
            return QLatin1String(n.name);
    return QString();
}

std::optional<TSimFault> SimFaultFromName(const QString &name)
{
    for (const auto &n : kNames)
        if (name == QLatin1String(n.name))
            return n.fault;
    return std::nullopt;
}

QList<TSimFault> AllSimFaults()
{
    QList<TSimFault> out;
    for (const auto &n : kNames)
        if (n.fault != TSimFault::None)
            out.append(n.fault);
    return out;
}

bool ParseSimFaultList(const QString &text, QList<TSimFault> &out, QString &error)
{
    QList<TSimFault> kinds;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (name == QLatin1String("all")) {
            kinds = AllSimFaults();
            continue;
        }
        const auto fault = SimFaultFromName(name);
        if (!fault || *fault == TSimFault::None) {
            error = QStringLiteral("unknown fault kind \"%1\"").arg(name);
            return false;
        }
        if (!kinds.contains(*fault))
            kinds.append(*fault);
    }
    out = kinds;
    return true;
}

TSimFaults::TSimFaults(const TSimFaultConfig &config) : m_config(config), m_random(config.seed)
{
    m_config.rate = std::isnan(config.rate) ? 0.0 : std::clamp(config.rate, 0.0, 1.0);
}

TSimFault TSimFaults::choose(bool meter)
{
    // One draw per answer whatever the rate, so that the same seed gives the
    // same sequence of faulty answers for every rate that selects them.
    const double draw = m_random.unit();
    const uint64_t pick = m_random.next();
    if (draw >= m_config.rate)
        return TSimFault::None;
    QList<TSimFault> candidates;
    for (TSimFault f : m_config.kinds)
        if (f != TSimFault::None && (!meter || appliesToMeter(f)))
            candidates.append(f);
    if (candidates.isEmpty())
        return TSimFault::None;
    return candidates.at(int(pick % uint64_t(candidates.size())));
}

TSimFaultOutcome TSimFaults::apply(const QByteArray &answer, bool meter)
{
    TSimFault fault = m_forced ? *m_forced : choose(meter);
    m_forced.reset();
    if (answer.isEmpty() || (meter && !appliesToMeter(fault)))
        fault = TSimFault::None;
    return inflict(fault, answer, meter);
}

TSimFaultOutcome TSimFaults::inflict(TSimFault fault, const QByteArray &answer, bool meter)
{
    TSimFaultOutcome out;
    out.fault = fault;
    const int length = int(answer.size());
    switch (fault) {
    case TSimFault::None:
        out.bytes = answer;
        break;
    case TSimFault::NoAnswer:
        break;
    case TSimFault::BadCrc:
        out.bytes = answer;
        out.bytes[length - 1] = char(ByteAt(answer, length - 1) ^ 0xFF);
        break;
    case TSimFault::ErrorAnswer:
        out.bytes = AnswerError(ByteAt(answer, 0), m_config.errorCode);
        break;
    case TSimFault::Truncated:
        out.bytes = answer.left(length > 1 ? 1 + int(m_random.below(uint64_t(length - 1))) : 0);
        // A cut that happens to end on a valid checksum is cut once more.
        while (out.bytes.size() > 1 && checksumRight(out.bytes, meter))
            out.bytes.chop(1);
        break;
    case TSimFault::Garbage: {
        const int n = 1 + int(m_random.below(kMaxGarbage));
        for (int i = 0; i < n; ++i)
            out.bytes.append(char(m_random.next() & 0xFF));
        if (checksumRight(out.bytes, meter))
            out.bytes[n - 1] = char(ByteAt(out.bytes, n - 1) ^ 0xFF);
        break;
    }
    case TSimFault::Split:
        out.bytes = answer;
        out.splitAt = length > 1 ? 1 + int(m_random.below(uint64_t(length - 1))) : -1;
        if (out.splitAt < 0)
            out.fault = TSimFault::None;
        break;
    case TSimFault::WrongAddress: {
        QByteArray payload = answer.left(length - 2);
        payload[0] = char(ByteAt(answer, 0) ^ 0x01);
        out.bytes = AppendCrc16(payload);
        break;
    }
    }
    return out;
}
