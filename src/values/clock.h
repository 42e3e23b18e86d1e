#pragma once
// "Now" and every pause of a procedure (the 1000 ms after an array read, the
// seconds of a training) come from one clock, so that tests can run a
// 15-second training in no time and cross midnight at will.

#include <QDateTime>
#include <QMutex>

class TClock
{
public:
    virtual ~TClock() = default;
    // Current local date and time.
    virtual QDateTime Now() const = 0;
    // Blocks the calling thread for ms milliseconds (or pretends to).
    virtual void Pause(int ms) = 0;
};

// The real clock of the workstation.
class TSystemClock final : public TClock
{
public:
    QDateTime Now() const override;
    void Pause(int ms) override;
};

// A clock that stands still until told: Pause moves it on by the pause.
class TManualClock final : public TClock
{
public:
    explicit TManualClock(const QDateTime &start);
    QDateTime Now() const override;
    void Pause(int ms) override;
    void Set(const QDateTime &now);
    void Advance(qint64 ms);
    // Total of all pauses asked for since creation.
    qint64 PausedMs() const;

private:
    mutable QMutex m_mutex;
    QDateTime m_now;
    qint64 m_paused = 0;
};

// The clock in use; the system clock until another is installed.
TClock &Clock();
// Installs a clock (not owned; it must outlive its use), nullptr puts the
// system clock back.
void SetClock(TClock *clock);
