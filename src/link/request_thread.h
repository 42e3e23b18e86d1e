#pragma once
// The request thread: runs one polling pass each time the polling timer's
// tick wakes it, then waits again. A tick that comes while a pass is still
// running starts nothing and queues nothing, so a pass never runs twice at
// once and a slow line never builds up a backlog.

#include <QThread>

#include <condition_variable>
#include <functional>
#include <mutex>

class TCustomTimer;
class TRequestCycle;
class TUiHandOver;

class TRequestThread : public QThread
{
    Q_OBJECT
public:
    TRequestThread(TRequestCycle &cycle, TUiHandOver &handOver);
    // Terminates and joins the thread.
    ~TRequestThread() override;

    // Wakes the thread for one pass; no effect while a pass runs or one is
    // already due. Returns whether a pass was started.
    bool Resume();
    // Tells the thread to leave its loop after the present pass and waits
    // for it. Called in the user-interface thread: work the pass still hands
    // over is dropped (the hand-over is closed) so the wait cannot hang.
    void Terminate();
    bool InPass() const;
    // Passes completed since creation.
    quint64 Passes() const;

    // The polling timer's tick (user-interface thread): pause the timer,
    // start a pass when any device is enabled and refresh the windows, then
    // let the timer run again; with no device enabled, stop polling instead.
    void OnPollTick(TCustomTimer &timer);
    std::function<void()> OnUpdateViews;
    std::function<void()> OnStopPolling;

protected:
    void run() override;

private:
    TRequestCycle &m_cycle;
    TUiHandOver &m_handOver;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_due = false;
    bool m_inPass = false;
    bool m_terminated = false;
    quint64 m_passes = 0;
};
