#include "session/procedure_runner.h"

TProcedureRunner::TProcedureRunner() = default;

TProcedureRunner::~TProcedureRunner()
{
    join();
}

void TProcedureRunner::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

bool TProcedureRunner::Start(std::function<void()> procedure, std::function<void()> done)
{
    if (m_busy)
        return false;
    // The previous worker has run its procedure to the end already (its
    // end notification cleared Busy); only the thread is left to collect.
    join();
    m_busy = true;
    if (OnBusyChanged)
        OnBusyChanged(true);
    m_worker = std::thread([this, procedure = std::move(procedure), done = std::move(done)] {
        procedure();
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
    });
    return true;
}
