#pragma once
// The serial side of tolm-sim: a pseudo-terminal whose far end the service
// program opens as its serial port. Requests arrive without start or end
// markers, so a request ends when its length (known from its first bytes)
// has come, or when the line has been quiet for a while.

#include <QString>
#include <chrono>
#include <csignal>
#include <functional>

class TSimLine;

class TPtyServer
{
public:
    TPtyServer() = default;
    ~TPtyServer();
    TPtyServer(const TPtyServer &) = delete;
    TPtyServer &operator=(const TPtyServer &) = delete;

    // Opens the pair in raw mode; false with `error` on failure.
    bool open(QString &error);
    // "/dev/pts/N", the name the service program opens.
    QString portName() const { return m_portName; }

    // Runs before each request reaches the line (the operator's changes to
    // the gauges take effect between exchanges).
    void setBeforeRequest(std::function<void(TSimLine &)> hook) { m_beforeRequest = std::move(hook); }

    // Answers requests until `stop` becomes non-zero. Each exchange is
    // written to stderr in hexadecimal when `verbose`.
    void serve(TSimLine &line, const volatile std::sig_atomic_t &stop, bool verbose);

private:
    void answer(TSimLine &line, const QByteArray &request, std::chrono::steady_clock::time_point firstByte,
                bool verbose);
    void writePaced(const QByteArray &bytes, long long durationUs);

    int m_master = -1;
    // The far end is held open so that the pair stays up while no program
    // has it open (otherwise every read of the master fails at once).
    int m_slave = -1;
    QString m_portName;
    std::function<void(TSimLine &)> m_beforeRequest;
};
