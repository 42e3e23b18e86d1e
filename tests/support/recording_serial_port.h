#pragma once
// A serial port for tests that records everything the transmitter does to
// it, with the parity in force and the time of each step, and plays back
// answers that the test scripts: the pseudo-terminal of the end-to-end tests
// cannot show parity, so the order of mark and space, writes and drains is
// checked here.
//
// An answer is a list of chunks; the first chunk arrives `after` the start
// of the read that follows the next write, each further chunk `after` the
// one before. Injected errors make the next such operation fail; with
// `vanish` the port then reports itself closed, as after an unplugged
// adapter.

#include "link/serial_port.h"

#include <QList>

#include <chrono>
#include <deque>
#include <vector>

class TRecordingSerialPort final : public ISerialPort
{
public:
    enum class TOp { Open, Close, BaudRate, DataBits, StopBits, Parity, FlowControl, Write, Drain, Clear, Read };

    struct TEvent
    {
        TOp op;
        TParity parity;        // parity in force when it happened
        QByteArray bytes;      // written or read
        int value = 0;         // for the settings: the new value
        TLineClock::time_point at;
    };

    struct TChunk
    {
        QByteArray bytes;
        std::chrono::milliseconds after{0};
    };

    // The answer to the next request: chunks as above.
    void QueueAnswer(const QList<TChunk> &chunks);
    // All bytes at once, `after` the start of the read.
    void QueueAnswer(const QByteArray &bytes, std::chrono::milliseconds after = std::chrono::milliseconds(0));
    // The next operation `op` (Open, Write, Drain, Clear, Read or Parity)
    // fails; with vanish the port is closed by it.
    void InjectError(TOp op, bool vanish = false);

    const std::vector<TEvent> &Events() const { return m_events; }
    std::vector<TEvent> EventsOf(TOp op) const;
    void ClearEvents() { m_events.clear(); }
    TParity Parity() const { return m_parity; }
    int BaudRate() const { return m_baudRate; }
    TDataBits DataBits() const { return m_dataBits; }
    TStopBits StopBits() const { return m_stopBits; }
    TFlowControl FlowControl() const { return m_flowControl; }

    void setPortName(const QString &name) override { m_portName = name; }
    QString portName() const override { return m_portName; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString lastError() const override { return m_lastError; }

    bool setBaudRate(int bitsPerSecond) override;
    bool setDataBits(TDataBits dataBits) override;
    bool setStopBits(TStopBits stopBits) override;
    bool setParity(TParity parity) override;
    bool setFlowControl(TFlowControl flowControl) override;

    bool write(const QByteArray &bytes, TLineClock::time_point deadline) override;
    bool drain(TLineClock::time_point deadline) override;
    bool clear() override;
    TWaitResult waitForBytes(TLineClock::time_point deadline) override;
    QByteArray readAvailable(int maxBytes) override;

private:
    struct TArrival
    {
        QByteArray bytes;
        TLineClock::time_point at;
    };
    void record(TOp op, const QByteArray &bytes = {}, int value = 0);
    bool injected(TOp op);
    void armAnswer();
    void receiveDue();

    QString m_portName;
    QString m_lastError;
    bool m_open = false;
    int m_baudRate = 9600;
    TDataBits m_dataBits = TDataBits::db8;
    TStopBits m_stopBits = TStopBits::sb1;
    TParity m_parity = TParity::None;
    TFlowControl m_flowControl = TFlowControl::None;
    std::vector<TEvent> m_events;
    std::deque<QList<TChunk>> m_answers;
    bool m_writtenSinceArm = false;
    std::deque<TArrival> m_arrivals;
    QByteArray m_received;
    std::vector<std::pair<TOp, bool>> m_errors;
};
