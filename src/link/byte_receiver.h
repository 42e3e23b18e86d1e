#pragma once
// The receiving side of a line, all the timed read needs: wait for bytes up
// to a deadline on the monotonic clock, take what has come. The serial port
// is one; the in-process simulated line is another, delivering the
// simulator's answer byte by byte at the times a real line would.

#include <QByteArray>

#include <chrono>

using TLineClock = std::chrono::steady_clock;

enum class TWaitResult { Ready, TimedOut, Failed };

class IByteReceiver
{
public:
    virtual ~IByteReceiver() = default;

    virtual bool isOpen() const = 0;
    // Waits until at least one received byte can be read, or the deadline.
    virtual TWaitResult waitForBytes(TLineClock::time_point deadline) = 0;
    // Takes up to maxBytes of what has been received, without waiting;
    // possibly nothing.
    virtual QByteArray readAvailable(int maxBytes) = 0;
};
