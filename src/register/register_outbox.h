#pragma once
// The bench's outbox at work while the program runs: a thread of its own
// sends what waits at start, after every new record of the process, and
// every RetrySeconds while anything waits (the server may be down for
// hours; the records wait in the local file and go in order when it is
// back). Connecting may take the server's time-out, so the user-interface
// thread never sends.
//
// Made, asked and destroyed in the user-interface thread; the destructor
// waits for a send that runs.

#include "register/register_place.h"

#include <QDateTime>
#include <QObject>
#include <QString>

class QThread;
class TOutboxWorker;

struct TOutboxStatus {
    bool ServerConfigured = false;
    int Waiting = 0;
    QString Error;     // of the last attempt; empty when it went well
    QDateTime Checked; // when the last attempt ended; invalid before the first
};

class TRegisterOutbox : public QObject
{
    Q_OBJECT
public:
    static constexpr int RetrySeconds = 15;

    explicit TRegisterOutbox(const TRegisterPlace &place, QObject *parent = nullptr);
    ~TRegisterOutbox() override;

    // A send now (also when one is due anyway).
    void SendNow();
    TOutboxStatus Status() const { return m_status; }

signals:
    void StatusChanged();

private:
    void take(const TOutboxStatus &status);

    QThread *m_thread = nullptr;
    TOutboxWorker *m_worker = nullptr;
    TOutboxStatus m_status;
};
