#include "link/request_thread.h"

#include "app/custom_timer.h"
#include "link/request_cycle.h"
#include "link/ui_hand_over.h"

TRequestThread::TRequestThread(TRequestCycle &cycle, TUiHandOver &handOver) : m_cycle(cycle), m_handOver(handOver)
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

void TRequestThread::Terminate()
{
    {
        std::lock_guard lock(m_mutex);
        m_terminated = true;
        m_wake.notify_one();
    }
    m_handOver.Close();
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

void TRequestThread::OnPollTick(TCustomTimer &timer)
{
    timer.Pause(true);
    if (!m_cycle.AnyDeviceEnabled()) {
        if (OnStopPolling)
            OnStopPolling();
        return;
    }
    if (!isRunning())
        start();
    Resume();
    if (OnUpdateViews)
        OnUpdateViews();
    timer.Pause(false);
}

void TRequestThread::run()
{
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_due || m_terminated; });
            if (m_terminated)
                return;
            m_due = false;
            m_inPass = true;
        }
        m_cycle.DoRequest();
        std::lock_guard lock(m_mutex);
        m_inPass = false;
        ++m_passes;
    }
}
