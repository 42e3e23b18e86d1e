#include "session/ui_hand_over.h"

#include <QThread>

#include <condition_variable>

struct TUiHandOver::Job {
    std::function<void()> work;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
};

TUiHandOver::TUiHandOver(QObject *context) : m_context(context) {}

TUiHandOver::~TUiHandOver()
{
    Close();
}

bool TUiHandOver::InUiThread() const
{
    return m_context && QThread::currentThread() == m_context->thread();
}

bool TUiHandOver::Run(const std::function<void()> &work)
{
    ++m_runs;
    if (InUiThread()) {
        work();
        return true;
    }
    auto job = std::make_shared<Job>();
    job->work = work;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || !m_context)
            return false;
        m_pending.insert(job);
    }
    QMetaObject::invokeMethod(
        m_context.data(),
        [job] {
            std::unique_lock lock(job->mutex);
            if (job->abandoned)
                return;
            // The worker is blocked until finished is set, so the work may
            // use its stack; the lock is not held while the work runs to keep
            // Close() (same thread) free.
            lock.unlock();
            job->work();
            lock.lock();
            job->finished = true;
            job->done.notify_all();
        },
        Qt::QueuedConnection);

    std::unique_lock lock(job->mutex);
    job->done.wait(lock, [&] { return job->finished || job->abandoned; });
    const bool ran = job->finished;
    lock.unlock();
    std::lock_guard guard(m_mutex);
    m_pending.erase(job);
    return ran;
}

bool TUiHandOver::Closed()
{
    std::lock_guard guard(m_mutex);
    return m_closed;
}

void TUiHandOver::Close()
{
    std::lock_guard guard(m_mutex);
    m_closed = true;
    for (const auto &job : m_pending) {
        std::lock_guard lock(job->mutex);
        // Close runs in the user-interface thread, so no job is running now:
        // each is either finished or not yet started.
        if (!job->finished) {
            job->abandoned = true;
            job->done.notify_all();
        }
    }
}
