#pragma once
// The simulated line the polling benchmarks run on, and their way of
// running a pass: real byte timing at
// 9600 baud (11 bits a byte), 5 ms turnaround, and the time a polling pass
// of LevelAllRead + TempRead takes on it for one gauge: its 46 bytes (5 + 29
// for LevelAllRead, 6 + 6 for TempRead, checksums included), two
// turnarounds and two 3 ms address pauses = 68.7 ms.

#include "link/request_thread.h"
#include "sim/line_timing.h"
#include "sim/sim_line.h"

#include <QCoreApplication>
#include <QTimer>

constexpr int kBaud = 9600;
constexpr int kTurnaroundMs = 5;
constexpr int kAddressPauseMs = 3;
constexpr int kPassBytes = (5 + 29) + (6 + 6);

inline TSimLineConfig TimedLineConfig()
{
    TSimLineConfig config;
    config.timing.enabled = true;
    config.timing.baud = kBaud;
    config.timing.turnaroundMs = kTurnaroundMs;
    return config;
}

// The line time of one gauge's LevelAllRead + TempRead, ms.
inline double PassReferenceMs()
{
    return double(LineTimeUs(kPassBytes, kBaud, true)) / 1000.0 + 2 * (kTurnaroundMs + kAddressPauseMs);
}

// One polling pass as the program runs it: the request thread (started
// once) woken for it, this thread's event loop turning meanwhile, and the
// pass's last queued deliveries made before it returns.
class TPassRunner
{
public:
    explicit TPassRunner(TRequestThread &thread) : m_thread(thread)
    {
        m_thread.start();
        m_heartbeat.start(1); // keeps this thread's event loop turning while it waits
    }
    void Run()
    {
        const quint64 before = m_thread.Passes();
        m_thread.Resume();
        while (m_thread.Passes() == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(); // the pass's last reading, when it came after the pass's end
    }

private:
    TRequestThread &m_thread;
    QTimer m_heartbeat;
};
