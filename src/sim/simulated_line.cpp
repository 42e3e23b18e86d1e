#include "sim/simulated_line.h"

#include "link/line_pause.h"
#include "link/timed_read.h"
#include "sim/line_timing.h"

#include <thread>
#include <vector>

namespace {

using std::chrono::microseconds;

// The answer's bytes with the time each has fully arrived; the timed read
// takes them as a port's input buffer would hold them.
class TScheduledAnswer final : public IByteReceiver
{
public:
    TScheduledAnswer(const TSimReply &reply, TLineClock::time_point answerStart)
    {
        TLineClock::time_point at = answerStart;
        for (const TSimChunk &chunk : reply.chunks) {
            at += microseconds(chunk.delayUs);
            const qsizetype n = chunk.bytes.size();
            for (qsizetype i = 0; i < n; ++i)
                m_bytes.push_back({chunk.bytes.at(i), at + microseconds(chunk.durationUs * (i + 1) / n)});
            at += microseconds(chunk.durationUs);
        }
    }

    bool isOpen() const override { return true; }

    TWaitResult waitForBytes(TLineClock::time_point deadline) override
    {
        if (m_next >= m_bytes.size() || m_bytes[m_next].at > deadline) {
            std::this_thread::sleep_until(deadline);
            return TWaitResult::TimedOut;
        }
        std::this_thread::sleep_until(m_bytes[m_next].at);
        return TWaitResult::Ready;
    }

    QByteArray readAvailable(int maxBytes) override
    {
        const TLineClock::time_point now = TLineClock::now();
        QByteArray out;
        while (m_next < m_bytes.size() && out.size() < maxBytes && m_bytes[m_next].at <= now)
            out.append(m_bytes[m_next++].byte);
        return out;
    }

private:
    struct TArrival
    {
        char byte;
        TLineClock::time_point at;
    };
    std::vector<TArrival> m_bytes;
    size_t m_next = 0;
};

} // namespace

TSimulatedLine::TSimulatedLine(const TSimLineConfig &config, TSimClock clock)
    : m_simulator(std::make_unique<TSimLine>(config, std::move(clock)))
{
}

TSimulatedLine::~TSimulatedLine() = default;

void TSimulatedLine::ApplyParameters(const TPortParameters &set)
{
    const std::lock_guard lock(m_mutex);
    m_applied = set;
}

TPortParameters TSimulatedLine::AppliedParameters() const
{
    const std::lock_guard lock(m_mutex);
    return m_applied;
}

void TSimulatedLine::WithSimulator(const std::function<void(TSimLine &)> &use)
{
    const std::lock_guard lock(m_mutex);
    use(*m_simulator);
}

std::optional<QByteArray> TSimulatedLine::Exchange(TTransmitMode mode, const QByteArray &frame, int maxLength)
{
    const bool toMeter = mode == TTransmitMode::NoParity;
    TSimReply reply;
    TSimLineTiming timing;
    TReadTimeouts timeouts;
    {
        const std::lock_guard lock(m_mutex);
        reply = m_simulator->answer(frame, toMeter);
        timing = m_simulator->timing();
        timeouts = {m_applied.ReadInterval, m_applied.ReadTotalConstant, m_applied.ReadTotalMultiplier};
    }

    // The write returns once the bytes are with the driver, so the read
    // starts while the request is still on the line. In address mode the
    // address byte is drained and the pause kept before that.
    qint64 requestLeftUs = reply.requestUs;
    if (mode == TTransmitMode::Addressed && timing.enabled) {
        const qint64 addressUs = LineTimeUs(1, timing.baud, true);
        std::this_thread::sleep_for(microseconds(addressUs));
        PauseAtLeast(AddressPause);
        requestLeftUs = qMax<qint64>(0, requestLeftUs - addressUs);
    }
    TScheduledAnswer line(reply, TLineClock::now() + microseconds(requestLeftUs));
    return ReadAnswer(line, maxLength, timeouts, ExpectedAnswer(toMeter ? TAnswerKind::Meter : TAnswerKind::Gauge, frame)).bytes;
}
