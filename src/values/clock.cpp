#include "values/clock.h"

#include <QMutexLocker>
#include <QThread>

#include <atomic>

namespace {
TSystemClock systemClock;
std::atomic<TClock *> currentClock{&systemClock};
} // namespace

QDateTime TSystemClock::Now() const
{
    return QDateTime::currentDateTime();
}

void TSystemClock::Pause(int ms)
{
    if (ms > 0)
        QThread::msleep(ulong(ms));
}

TManualClock::TManualClock(const QDateTime &start)
    : m_now(start)
{
}

QDateTime TManualClock::Now() const
{
    QMutexLocker lock(&m_mutex);
    return m_now;
}

void TManualClock::Pause(int ms)
{
    QMutexLocker lock(&m_mutex);
    if (ms > 0) {
        m_now = m_now.addMSecs(ms);
        m_paused += ms;
    }
}

void TManualClock::Set(const QDateTime &now)
{
    QMutexLocker lock(&m_mutex);
    m_now = now;
}

void TManualClock::Advance(qint64 ms)
{
    QMutexLocker lock(&m_mutex);
    m_now = m_now.addMSecs(ms);
}

qint64 TManualClock::PausedMs() const
{
    QMutexLocker lock(&m_mutex);
    return m_paused;
}

TClock &Clock()
{
    return *currentClock.load(std::memory_order_acquire);
}

void SetClock(TClock *clock)
{
    currentClock.store(clock ? clock : &systemClock, std::memory_order_release);
}
