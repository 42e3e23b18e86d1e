#include "link/request_thread.h"

#include "link/request_cycle.h"

#include <algorithm>

TRequestThread::TRequestThread(TRequestCycle &cycle) : m_cycle(cycle)
{
    setObjectName(QStringLiteral("RequestThread"));
}

TRequestThread::~TRequestThread()
{
    Terminate();
}

bool TRequestThread::Resume()
{
    std::lock_guard lock(m_mutex);
    if (m_terminated || m_inPass || m_due)
        return false;
    m_due = true;
    m_wake.notify_one();
    return true;
}

void TRequestThread::SetPacing(int intervalMs)
{
    {
        std::lock_guard lock(m_mutex);
        m_period = std::chrono::milliseconds(std::max(intervalMs, 0));
        m_nextPass = std::chrono::steady_clock::now() + m_period;
        m_wake.notify_one();
    }
    if (intervalMs > 0 && !isRunning())
        start();
}

void TRequestThread::Terminate()
{
    {
        std::lock_guard lock(m_mutex);
        m_terminated = true;
        m_wake.notify_one();
    }
    m_cycle.StopPasses();
    wait();
}

bool TRequestThread::InPass() const
{
    std::lock_guard lock(m_mutex);
    return m_inPass || m_due;
}

quint64 TRequestThread::Passes() const
{
    std::lock_guard lock(m_mutex);
    return m_passes;
}

void TRequestThread::OnPollTick()
{
    if (!m_cycle.AnyDeviceEnabled()) {
        if (OnStopPolling)
            OnStopPolling();
        return;
    }
    if (!isRunning())
        start();
    bool paced;
    {
        std::lock_guard lock(m_mutex);
        paced = m_period.count() > 0;
    }
    if (!paced)
        Resume();
    if (OnUpdateViews)
        OnUpdateViews();
}

void TRequestThread::run()
{
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            const auto paceDue = [this] {
                return m_period.count() > 0 && std::chrono::steady_clock::now() >= m_nextPass;
            };
            while (!m_due && !m_terminated && !paceDue()) {
                if (m_period.count() > 0)
                    m_wake.wait_until(lock, m_nextPass);
                else
                    m_wake.wait(lock);
            }
            if (m_terminated)
                return;
            if (paceDue()) {
                // The ticks that fell into a long pass are skipped, as a
                // timer's are.
                const auto now = std::chrono::steady_clock::now();
                do
                    m_nextPass += m_period;
                while (m_nextPass <= now);
            }
            m_due = false;
            m_inPass = true;
        }
        m_cycle.DoRequest();
        std::lock_guard lock(m_mutex);
        m_inPass = false;
        ++m_passes;
    }
}
