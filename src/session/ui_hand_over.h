#pragma once
// The synchronous hand-over of work from a procedure to the user-interface
// thread, which owns the device model and the operator's windows: the
// procedure waits until the work is done there. The polling never uses it.
//
// Called in the user-interface thread itself, the work runs at once. When
// the hand-over is closed (the program is ending), waiting callers return
// false at once and work not yet started is dropped, so the request thread
// can never hang on a user-interface thread that no longer serves it.

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

class TUiHandOver
{
public:
    // context: an object living in the user-interface thread.
    explicit TUiHandOver(QObject *context);
    ~TUiHandOver();

    // Runs work in the user-interface thread and returns when it is done;
    // false when it was not run because the hand-over is closed.
    bool Run(const std::function<void()> &work);
    // How many times Run was called, from any thread.
    quint64 Runs() const { return m_runs; }
    // Called in the user-interface thread.
    void Close();
    bool Closed();
    bool InUiThread() const;

private:
    struct Job;
    QPointer<QObject> m_context;
    std::mutex m_mutex;
    std::atomic<quint64> m_runs{0};
    bool m_closed = false;
    std::set<std::shared_ptr<Job>> m_pending;
};
