#pragma once
// The synchronous hand-over of work from the request thread to the
// user-interface thread: the device model is written only there, so every
// parse of a polled answer runs there while the request thread waits.
//
// Called in the user-interface thread itself, the work runs at once. When
// the hand-over is closed (the program is ending), waiting callers return
// false at once and work not yet started is dropped, so the request thread
// can never hang on a user-interface thread that no longer serves it.

#include <QObject>
#include <QPointer>

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
    // Called in the user-interface thread.
    void Close();
    bool Closed();
    bool InUiThread() const;

private:
    struct Job;
    QPointer<QObject> m_context;
    std::mutex m_mutex;
    bool m_closed = false;
    std::set<std::shared_ptr<Job>> m_pending;
};
