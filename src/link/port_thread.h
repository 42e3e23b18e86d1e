#pragma once
// The one thread that owns the serial port: the port's Qt object is made,
// used, closed and deleted there, and the tries to reopen a pulled adapter
// tick there, so its notifiers and timers never meet another thread. Every
// other thread hands its port work over and waits for it; the work of one
// exchange goes over in one piece.
//
// Made and destroyed by the transmitter's owner; Run may be called from any
// thread, the port thread included (the work then runs at once).

#include <QObject>
#include <QThread>

#include <functional>

class TPortThread
{
public:
    TPortThread();
    // Ends the thread's event loop and waits for it.
    ~TPortThread();
    TPortThread(const TPortThread &) = delete;
    TPortThread &operator=(const TPortThread &) = delete;

    // Runs `work` in the port thread and returns when it is done.
    void Run(const std::function<void()> &work);
    bool InPortThread() const { return QThread::currentThread() == &m_thread; }

private:
    QThread m_thread;
    QObject *m_context = nullptr; // lives in m_thread, deleted there
};
