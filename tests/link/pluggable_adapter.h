#pragma once
// A USB adapter with the simulated gauge behind it that the test pulls out
// and plugs in again: a pseudo-terminal reached through a fixed name (a
// symbolic link, as udev gives /dev/ttyUSB0), answered by the simulator in
// a thread. Pulled out, the terminal hangs up and the name is gone; plugged
// in, a new terminal answers under the same name.

#include "pty_pair.h"
#include "sim/sim_line.h"

#include <QString>

#include <atomic>
#include <memory>
#include <thread>

class TPluggableAdapter
{
public:
    explicit TPluggableAdapter(const QString &name);
    ~TPluggableAdapter();
    TPluggableAdapter(const TPluggableAdapter &) = delete;
    TPluggableAdapter &operator=(const TPluggableAdapter &) = delete;

    QString name() const { return m_name; }
    bool plugIn();
    void pullOut();

private:
    void serve();

    QString m_name;
    TSimLine m_sim;
    std::unique_ptr<TPtyPair> m_pty;
    std::atomic<bool> m_stop{false};
    std::thread m_gauge;
};
