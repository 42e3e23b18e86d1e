#include "link/line.h"

#include "protocol/frame.h"

bool TLine::TransmitAddressed(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength)
{
    return transmit(TTransmitMode::Addressed, request, answer, addCrc, maxLength);
}

bool TLine::TransmitPlain(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength)
{
    return transmit(TTransmitMode::Plain, request, answer, addCrc, maxLength);
}

bool TLine::TransmitNoParity(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength)
{
    return transmit(TTransmitMode::NoParity, request, answer, addCrc, maxLength);
}

void TLine::SetOnExchange(TExchangeHandler handler)
{
    const std::lock_guard lock(m_handlerMutex);
    m_onExchange = std::move(handler);
}

bool TLine::transmit(TTransmitMode mode, const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength)
{
    QByteArray frame = request;
    if (addCrc)
        frame = mode == TTransmitMode::NoParity ? AppendCrc8(request) : AppendCrc16(request);
    answer.clear();
    if (!frame.isEmpty()) {
        answer = Exchange(mode, frame, maxLength);
        m_lastMode = int(mode);
    }

    TExchangeHandler handler;
    {
        const std::lock_guard lock(m_handlerMutex);
        handler = m_onExchange;
    }
    if (handler)
        handler(this, frame, !answer.isEmpty(), answer);
    return !answer.isEmpty();
}

TPortParameters TLine::PresentParameters() const
{
    TPortParameters present = AppliedParameters();
    switch (m_lastMode.load()) {
    case int(TTransmitMode::Addressed): present.Parity = TParity::Space; break;
    case int(TTransmitMode::NoParity): present.Parity = TParity::None; break;
    default: break;
    }
    return present;
}
