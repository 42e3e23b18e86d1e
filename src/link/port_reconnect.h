#pragma once
// Tries to open a lost port again, every period, until it is back.
//
// A USB adapter that is pulled out and plugged in again comes back under its
// old name a moment later; polling should go on without the operator's
// "СОМ порт". The tries run in the thread that made this object (the port
// thread, where the port's Qt object is made and used); that thread needs a
// running event loop. Start may be called from any thread.

#include <QTimer>

#include <chrono>
#include <functional>

class TPortReconnect
{
public:
    // How soon a returned adapter is open again at the latest.
    static constexpr std::chrono::milliseconds kPeriod{500};

    // tryReopen: true when there is nothing more to try (the port is open
    // again, or the operator has taken it over).
    explicit TPortReconnect(std::function<bool()> tryReopen, std::chrono::milliseconds period = kPeriod);

    // Starts the tries; no effect while they run.
    void Start();

private:
    QTimer m_timer;
    std::function<bool()> m_tryReopen;
};
