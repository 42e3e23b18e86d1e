#pragma once
// The request thread: runs the polling passes. Paced (while the polling
// timer runs) it keeps the timer's period on its own clock, whatever the
// user-interface thread is doing; a pass due while one still runs starts
// nothing and queues nothing, so a pass never runs twice at once and a slow
// line never builds up a backlog. Unpaced, each Resume wakes it for one pass.
//
// Made, started, paced and terminated in the user-interface thread; the
// passes run in the thread itself. InPass and Passes may be asked from any
// thread.

#include <QThread>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

class TRequestCycle;

class TRequestThread : public QThread
{
    Q_OBJECT
public:
    explicit TRequestThread(TRequestCycle &cycle);
    // Terminates and joins the thread.
    ~TRequestThread() override;

    // Wakes the thread for one pass; no effect while a pass runs or one is
    // already due. Returns whether a pass was started.
    bool Resume();
    // A pass every `intervalMs` from now on (the first one `intervalMs` from
    // now), or none of its own with 0.
    void SetPacing(int intervalMs);
    // Tells the thread to leave its loop, the present pass before its next
    // exchange, and waits for it. Called in the user-interface thread.
    void Terminate();
    bool InPass() const;
    // Passes completed since creation.
    quint64 Passes() const;

    // The polling timer's tick (user-interface thread): with no device
    // enabled, stop polling; otherwise start a pass unless the thread paces
    // itself, and refresh the windows.
    void OnPollTick();
    std::function<void()> OnUpdateViews;
    std::function<void()> OnStopPolling;

protected:
    void run() override;

private:
    TRequestCycle &m_cycle;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_due = false;
    bool m_inPass = false;
    bool m_terminated = false;
    std::chrono::milliseconds m_period{0};
    std::chrono::steady_clock::time_point m_nextPass;
    quint64 m_passes = 0;
};
