#include "link/line.h"

#include "protocol/frame.h"

TTransmitResult TLine::TransmitAddressed(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength)
{
    return transmit(TTransmitMode::Addressed, request, answer, addCrc, maxLength);
}

TTransmitResult TLine::TransmitPlain(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength)
{
    return transmit(TTransmitMode::Plain, request, answer, addCrc, maxLength);
}

TTransmitResult TLine::TransmitNoParity(const QByteArray &request, QByteArray &answer, bool addCrc, int maxLength)
{
    return transmit(TTransmitMode::NoParity, request, answer, addCrc, maxLength);
}

void TLine::SetOnExchange(TExchangeHandler handler)
{
    const std::lock_guard lock(m_handlerMutex);
    m_onExchange = std::move(handler);
}

void TLine::SetOnOutage(std::function<void(TLine *sender)> handler)
{
    const std::lock_guard lock(m_handlerMutex);
    m_onOutage = std::move(handler);
}

void TLine::NotifyOutage()
{
    std::function<void(TLine *)> handler;
    {
        const std::lock_guard lock(m_handlerMutex);
        handler = m_onOutage;
    }
    if (handler)
        handler(this);
}

TTransmitResult TLine::transmit(TTransmitMode mode, const QByteArray &request, QByteArray &answer, bool addCrc,
                                int maxLength)
{
    QByteArray frame = request;
    if (addCrc)
        frame = mode == TTransmitMode::NoParity ? AppendCrc8(request) : AppendCrc16(request);
    answer.clear();
    if (!frame.isEmpty()) {
        std::optional<QByteArray> received = Exchange(mode, frame, maxLength);
        if (!received)
            return TTransmitResult::NotOpen;
        answer = std::move(*received);
        m_lastMode = int(mode);
    }

    TExchangeHandler handler;
    {
        const std::lock_guard lock(m_handlerMutex);
        handler = m_onExchange;
    }
    if (handler)
        handler(this, frame, !answer.isEmpty(), answer);
    return answer.isEmpty() ? TTransmitResult::NoAnswer : TTransmitResult::Answered;
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
