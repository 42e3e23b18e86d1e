#pragma once
// A pseudo-terminal pair for tests of the real serial port: the port opens
// the slave by its name, the test plays the instrument on the master.

#include <QByteArray>
#include <QString>

#include <chrono>

class TPtyPair
{
public:
    TPtyPair();
    ~TPtyPair();
    TPtyPair(const TPtyPair &) = delete;
    TPtyPair &operator=(const TPtyPair &) = delete;

    bool valid() const { return m_master >= 0; }
    QString slaveName() const { return m_slaveName; }
    // The instrument's side.
    void send(const QByteArray &bytes);
    // Reads from the master until `count` bytes have come or the time is up.
    QByteArray receive(int count, std::chrono::milliseconds within);
    // The instrument disappears: the port's side of the terminal hangs up.
    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slaveName;
};
