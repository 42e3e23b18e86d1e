#pragma once
// The procedure runner: an operator command, composite procedure or array
// read runs here, one at a time, on a worker thread of its own, so the
// user-interface thread never waits inside a procedure and never re-enters
// its event loop: it keeps painting and serving the polling while the
// procedure's exchanges take the line lock like a polling pass, their
// parses and every touch of the model are handed to it, and so are the
// procedure's progress and questions to the operator.
//
// Start, Busy and the end notification belong to the user-interface
// thread.

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TProcedureRunner
{
public:
    // Made in the user-interface thread, where the end of each procedure is
    // reported.
    TProcedureRunner();
    // Lets the procedure that runs end and ends the worker; the hand-over
    // the procedure may wait on must have been closed before (the program
    // is ending), so the wait cannot hang.
    ~TProcedureRunner();
    TProcedureRunner(const TProcedureRunner &) = delete;
    TProcedureRunner &operator=(const TProcedureRunner &) = delete;

    // Runs `procedure` on the worker, then `done` in the user-interface
    // thread. False, and nothing runs, while another procedure runs.
    bool Start(std::function<void()> procedure, std::function<void()> done = {});
    // From Start until the end of `done`.
    bool Busy() const { return m_busy; }
    // Waits for the worker to end its procedure. In the user-interface
    // thread only once the hand-over is closed; `done` of that procedure
    // still comes queued, if the runner lives so long.
    void Wait();

    // Asks the procedure that runs to end at its next exchange, because the
    // program is closing: from now on its exchanges do not go out (a write
    // sequence ends before its store into ПЗУ) and the operator is not asked
    // (questions get their default, inputs are cancelled), so it runs to its
    // end without waiting for anyone. The next Start clears it.
    void RequestStop() { m_stopRequested = true; }
    // What the procedure's sender and operator look at, from any thread.
    const std::atomic<bool> &StopRequested() const { return m_stopRequested; }

    // Called in the user-interface thread when the runner becomes busy and
    // when it is idle again.
    std::function<void(bool busy)> OnBusyChanged;

private:
    void serve(); // the worker

    // Ends reported after the runner is gone are dropped with it.
    QObject m_context;
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_stopRequested{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::function<void()> m_procedure; // handed to the worker
    std::function<void()> m_done;
    bool m_running = false; // from Start until the worker has run it
    bool m_ending = false;
    std::thread m_worker;
};
