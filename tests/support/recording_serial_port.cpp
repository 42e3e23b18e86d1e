#include "support/recording_serial_port.h"

#include <algorithm>
#include <thread>

void TRecordingSerialPort::QueueAnswer(const QList<TChunk> &chunks)
{
    m_answers.push_back(chunks);
}

void TRecordingSerialPort::QueueAnswer(const QByteArray &bytes, std::chrono::milliseconds after)
{
    QueueAnswer(QList<TChunk>{{bytes, after}});
}

void TRecordingSerialPort::InjectError(TOp op, bool vanish)
{
    m_errors.emplace_back(op, vanish);
}

std::vector<TRecordingSerialPort::TEvent> TRecordingSerialPort::EventsOf(TOp op) const
{
    std::vector<TEvent> out;
    std::copy_if(m_events.begin(), m_events.end(), std::back_inserter(out),
                 [op](const TEvent &e) { return e.op == op; });
    return out;
}

void TRecordingSerialPort::record(TOp op, const QByteArray &bytes, int value)
{
    m_events.push_back({op, m_parity, bytes, value, TLineClock::now()});
}

bool TRecordingSerialPort::injected(TOp op)
{
    const auto it = std::find_if(m_errors.begin(), m_errors.end(), [op](const auto &e) { return e.first == op; });
    if (it == m_errors.end())
        return false;
    const bool vanish = it->second;
    m_errors.erase(it);
    m_lastError = QStringLiteral("injected error");
    if (vanish) {
        m_open = false;
        m_arrivals.clear();
        m_received.clear();
    }
    return true;
}

bool TRecordingSerialPort::open()
{
    if (injected(TOp::Open))
        return false;
    m_open = true;
    record(TOp::Open);
    return true;
}

void TRecordingSerialPort::close()
{
    m_open = false;
    record(TOp::Close);
}

bool TRecordingSerialPort::setBaudRate(int bitsPerSecond)
{
    m_baudRate = bitsPerSecond;
    record(TOp::BaudRate, {}, bitsPerSecond);
    return true;
}

bool TRecordingSerialPort::setDataBits(TDataBits dataBits)
{
    m_dataBits = dataBits;
    record(TOp::DataBits, {}, int(dataBits));
    return true;
}

bool TRecordingSerialPort::setStopBits(TStopBits stopBits)
{
    m_stopBits = stopBits;
    record(TOp::StopBits, {}, int(stopBits));
    return true;
}

bool TRecordingSerialPort::setParity(TParity parity)
{
    if (m_open && injected(TOp::Parity))
        return false;
    m_parity = parity;
    record(TOp::Parity, {}, int(parity));
    return true;
}

bool TRecordingSerialPort::setFlowControl(TFlowControl flowControl)
{
    m_flowControl = flowControl;
    record(TOp::FlowControl, {}, int(flowControl));
    return true;
}

bool TRecordingSerialPort::write(const QByteArray &bytes, TLineClock::time_point)
{
    if (!m_open || injected(TOp::Write))
        return false;
    record(TOp::Write, bytes);
    m_writtenSinceArm = true;
    return true;
}

bool TRecordingSerialPort::drain(TLineClock::time_point)
{
    if (!m_open || injected(TOp::Drain))
        return false;
    record(TOp::Drain);
    return true;
}

bool TRecordingSerialPort::clear()
{
    if (!m_open || injected(TOp::Clear))
        return false;
    record(TOp::Clear);
    // Bytes already received are gone; bytes still on the way arrive later.
    receiveDue();
    m_received.clear();
    return true;
}

// The answer of the last request starts arriving with the read.
void TRecordingSerialPort::armAnswer()
{
    if (!m_writtenSinceArm)
        return;
    m_writtenSinceArm = false;
    m_arrivals.clear();
    if (m_answers.empty())
        return;
    TLineClock::time_point at = TLineClock::now();
    for (const TChunk &chunk : m_answers.front()) {
        at += chunk.after;
        m_arrivals.push_back({chunk.bytes, at});
    }
    m_answers.pop_front();
}

void TRecordingSerialPort::receiveDue()
{
    const TLineClock::time_point now = TLineClock::now();
    while (!m_arrivals.empty() && m_arrivals.front().at <= now) {
        m_received += m_arrivals.front().bytes;
        m_arrivals.pop_front();
    }
}

TWaitResult TRecordingSerialPort::waitForBytes(TLineClock::time_point deadline)
{
    if (!m_open)
        return TWaitResult::Failed;
    armAnswer();
    receiveDue();
    if (!m_received.isEmpty())
        return TWaitResult::Ready;
    if (m_arrivals.empty() || m_arrivals.front().at > deadline) {
        std::this_thread::sleep_until(deadline);
        return TWaitResult::TimedOut;
    }
    std::this_thread::sleep_until(m_arrivals.front().at);
    receiveDue();
    return TWaitResult::Ready;
}

QByteArray TRecordingSerialPort::readAvailable(int maxBytes)
{
    if (!m_open)
        return {};
    if (injected(TOp::Read))
        return {};
    receiveDue();
    const QByteArray out = m_received.left(maxBytes);
    m_received.remove(0, out.size());
    record(TOp::Read, out);
    return out;
}
