#include "link/timed_read.h"

#include <algorithm>

TReadOutcome ReadAnswer(IByteReceiver &port, int maxLength, const TReadTimeouts &timeouts,
                         const TExpectedAnswer &expected)
{
    using std::chrono::milliseconds;
    TReadOutcome outcome;
    if (maxLength <= 0)
        return outcome;

    const TLineClock::time_point start = TLineClock::now();
    const bool totalUsed = timeouts.totalConstant > 0 || timeouts.totalMultiplier > 0;
    const qint64 totalMs = totalUsed ? timeouts.totalConstant + timeouts.totalMultiplier * maxLength
                                     : UnlimitedReadCeilingMs;
    const TLineClock::time_point totalDeadline = start + milliseconds(totalMs);
    TLineClock::time_point lastByte = start;

    QByteArray &bytes = outcome.bytes;
    while (bytes.size() < maxLength) {
        TLineClock::time_point deadline = totalDeadline;
        if (!bytes.isEmpty() && timeouts.interval > 0)
            deadline = std::min(deadline, lastByte + milliseconds(timeouts.interval));
        const TWaitResult waited = port.waitForBytes(deadline);
        if (waited == TWaitResult::TimedOut)
            break;
        const QByteArray chunk = waited == TWaitResult::Ready
            ? port.readAvailable(maxLength - int(bytes.size()))
            : QByteArray();
        if (waited == TWaitResult::Failed || !port.isOpen()) {
            outcome.failed = true;
            bytes.clear();
            return outcome;
        }
        if (chunk.isEmpty())
            continue;
        lastByte = TLineClock::now();
        bytes.append(chunk);
        if (IsAnswerComplete(expected, bytes)) {
            outcome.complete = true;
            break;
        }
    }
    return outcome;
}
