#pragma once
// The line as the request cycle sees it: apply a device's line parameters,
// then send a frame in one of the three ways and read its answer.
// Implementations: the real TTransmitter on a serial port, the in-process
// simulated gauge (TSimLine) and scripted fakes in tests.
//
// The three transmit operations take the payload, append the checksum when
// asked (CRC-16 low byte first for the gauge, CRC-8 for the meter), send,
// read at most maxLength bytes within the time-outs of the parameter set
// applied last, and say whether an answer came. The answer is empty on any
// failure. Afterwards OnExchange gets the frame as sent and the answer:
// this is the one place every byte sent or received passes, for every line.
// A line whose port is not open sends nothing: the result says so, and
// there is no exchange to notify.
//
// One exchange at a time: the caller serialises exchanges (the request
// cycle's line lock). OnExchange runs in the thread of the exchange.

#include "link/port_parameters.h"

#include <QByteArray>
#include <QDateTime>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>

enum class TTransmitMode {
    Addressed, // nine-bit addressing: address byte with mark parity, the rest with space
    Plain,     // the whole frame in one write with the parity of the applied set
    NoParity,  // the current-loop meter: parity none, no purge after the read
};

enum class TTransmitResult {
    Answered, // the frame went out and an answer came
    NoAnswer, // the frame went out (or the sending failed) and nothing usable came back
    NotOpen,  // the port is not open: nothing went out
};

// The last time the port went away under the program: when its device
// vanished while the port was open (a USB adapter pulled out), and when the
// port was open again after that. Both invalid while that never happened;
// BackAt invalid while the port is still away.
struct TLineOutage {
    QDateTime LostAt;
    QDateTime BackAt;
};

class TLine
{
public:
    // Sender, frame as sent (checksum included), whether an answer came,
    // the raw answer.
    using TExchangeHandler =
        std::function<void(TLine *sender, const QByteArray &request, bool answered, const QByteArray &answer)>;

    virtual ~TLine() = default;

    // Line settings and time-outs of the device talked to next.
    virtual void ApplyParameters(const TPortParameters &set) = 0;

    TTransmitResult TransmitAddressed(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength);
    TTransmitResult TransmitPlain(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength);
    TTransmitResult TransmitNoParity(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength);

    // One listener at a time; an empty function detaches it. May be called
    // from any thread, also while an exchange runs.
    void SetOnExchange(TExchangeHandler handler);

    // The port's last outage; none for a line without a port of its own.
    virtual TLineOutage Outage() const { return {}; }
    // Told, in the thread that saw it, when the port is lost or back; one
    // listener at a time, set as SetOnExchange.
    void SetOnOutage(std::function<void(TLine *sender)> handler);

    // The port's name; empty for a line without a port of its own.
    virtual QString PortName() const { return {}; }
    // The parameter set applied last; the defaults before any.
    virtual TPortParameters AppliedParameters() const { return TPortParameters(); }
    // The line settings in effect now, as the communication window shows
    // them: the set applied last, with the parity the last transmission left
    // on the line (space after nine-bit addressing, none after the meter's
    // frame, the set's own after a plain frame).
    TPortParameters PresentParameters() const;

protected:
    // Sends the frame exactly as given and reads the answer; empty on any
    // failure, none when the port is not open and nothing was sent.
    virtual std::optional<QByteArray> Exchange(TTransmitMode mode, const QByteArray &frame, int maxLength) = 0;
    // For the line's own port: it was lost or is back (Outage() says which).
    void NotifyOutage();

private:
    TTransmitResult transmit(TTransmitMode mode, const QByteArray &request, QByteArray &answer, bool addCrc,
                             int maxLength);

    std::mutex m_handlerMutex;
    TExchangeHandler m_onExchange;
    std::function<void(TLine *)> m_onOutage;
    std::atomic<int> m_lastMode{-1}; // TTransmitMode of the last transmission; -1 before any
};
