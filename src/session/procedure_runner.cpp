#include "session/procedure_runner.h"

TProcedureRunner::TProcedureRunner()
{
    // One worker for the program's life: a thread per procedure would leave
    // each its own allocator caches behind.
    m_worker = std::thread([this] { serve(); });
}

TProcedureRunner::~TProcedureRunner()
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

void TProcedureRunner::serve()
{
    for (;;) {
        std::function<void()> procedure, done;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_ending || m_procedure; });
            if (!m_procedure)
                return; // ending, nothing left to run
            procedure = std::move(m_procedure);
            done = std::move(m_done);
            m_procedure = nullptr;
        }
        procedure();
        {
            std::lock_guard lock(m_mutex);
            m_running = false;
        }
        m_wake.notify_all();
        QMetaObject::invokeMethod(
            &m_context,
            [this, done] {
                if (done)
                    done();
                m_busy = false;
                if (OnBusyChanged)
                    OnBusyChanged(false);
            },
            Qt::QueuedConnection);
    }
}

bool TProcedureRunner::Start(std::function<void()> procedure, std::function<void()> done)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_stopRequested = false;
    if (OnBusyChanged)
        OnBusyChanged(true);
    {
        std::lock_guard lock(m_mutex);
        m_procedure = std::move(procedure);
        m_done = std::move(done);
        m_running = true;
    }
    m_wake.notify_all();
    return true;
}

void TProcedureRunner::Wait()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_running; });
}
