#include "link/request_cycle.h"

#include "values/clock.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "protocol/request_layout.h"
#include "link/line.h"
#include "link/ui_hand_over.h"

#include <QDate>

namespace {

// An error answer of the gauge: exactly six bytes with 0xFA as function.
bool IsErrorAnswer(const QByteArray &answer)
{
    return answer.size() == 6 && static_cast<uint8_t>(answer.at(1)) == 0xFA;
}

} // namespace

TRequestCycle::TRequestCycle(Ttolm472 &model, TLine &line, TUiHandOver &handOver, const QString &programFolder)
    : PortParametersTolm(programFolder), PortParametersLumidor(programFolder), m_model(model), m_line(line),
      m_handOver(handOver)
{
    PortParametersTolm.Section = QStringLiteral("Tolm");
    PortParametersLumidor.Section = QStringLiteral("Lumidor");
    // Entry 0 copies the gauge's Enabled once; later changes of the model
    // (a loaded parameter set) do not reach the list.
    m_devices[0] = {TListDevice::KindTolm, 0, model.Enabled(), model.Description.Title};
    m_devices[1] = {TListDevice::KindLumidor, 1, false, QStringLiteral("ЛЮМИДОР-906")};
    SetExchangeLogDate(Clock().Now().date());
}

void TRequestCycle::SetExchangeLogDate(const QDate &day)
{
    std::lock_guard lock(m_logMutex);
    m_exchangeLog.SetFileName(ExchangeLogName(day));
}

QString ExchangeLogName(const QDate &day)
{
    return QStringLiteral("rd") + day.toString(QStringLiteral("yyMMdd")) + QStringLiteral(".txt");
}

QString TRequestCycle::ExchangeLogFileName() const
{
    std::lock_guard lock(m_logMutex);
    return m_exchangeLog.FileName();
}

void TRequestCycle::SetReadingOutlet(TReadingOutlet outlet)
{
    std::lock_guard lock(m_outletMutex);
    m_outlet = std::move(outlet);
}

void TRequestCycle::SetPolled(int code, bool on)
{
    if (code < 0 || code >= kPollCodes)
        return;
    std::lock_guard lock(m_configMutex);
    m_pollSet.set(size_t(code), on);
}

bool TRequestCycle::IsPolled(int code) const
{
    if (code < 0 || code >= kPollCodes)
        return false;
    std::lock_guard lock(m_configMutex);
    return m_pollSet.test(size_t(code));
}

void TRequestCycle::ClearPollSet()
{
    std::lock_guard lock(m_configMutex);
    m_pollSet.reset();
}

TListDevice TRequestCycle::Device(int index) const
{
    std::lock_guard lock(m_configMutex);
    return m_devices.at(size_t(index));
}

void TRequestCycle::SetDeviceEnabled(int index, bool enabled)
{
    std::lock_guard lock(m_configMutex);
    m_devices.at(size_t(index)).Enabled = enabled;
}

bool TRequestCycle::AnyDeviceEnabled() const
{
    std::lock_guard lock(m_configMutex);
    for (const TListDevice &d : m_devices)
        if (d.Enabled)
            return true;
    return false;
}

int TRequestCycle::Exchange(int code)
{
    return exchangeTolm(code, false).result;
}

bool TRequestCycle::ExchangeAccepted(int code, QByteArray *answer)
{
    const TOutcome outcome = exchangeTolm(code, false);
    if (answer)
        *answer = outcome.answer;
    return outcome.result == 0 && outcome.taken;
}

int TRequestCycle::ExchangeLumidor()
{
    return exchangeLumidor(false).result;
}

TRequestCycle::TOutcome TRequestCycle::exchangeTolm(int code, bool takeReading)
{
    TOutcome outcome;
    // The payload is built where the model lives; the context it records
    // travels with this exchange to its parse, whatever requests other
    // exchanges built in between, and leaves theirs as it found them.
    std::optional<QByteArray> payload;
    Ttolm472::TRequestContext context{};
    if (!m_handOver.Run([&] {
            payload = m_model.BuildRequest(code);
            context = m_model.RequestContext();
        }) ||
        !payload)
        return outcome;

    QByteArray answer;
    TTransmitResult sent = TTransmitResult::NotOpen;
    {
        std::lock_guard lock(m_lineMutex);
        m_line.ApplyParameters(PortParametersTolm);
        sent = ModbusMode ? m_line.TransmitPlain(*payload, answer, true, kGaugeAnswerMax)
                          : m_line.TransmitAddressed(*payload, answer, true, kGaugeAnswerMax);
    }
    if (sent == TTransmitResult::NotOpen)
        return outcome; // nothing went out: no answer to parse, no log line

    if (!m_handOver.Run([&] {
            // The parse counts every answer it refuses (and a reading whose
            // status says the gauge cannot measure); once the count reaches
            // ErrorMax the refusal also shows in LastErrorCode as one of the
            // program's own negative codes.
            const uint16_t errorsBefore = m_model.ErrorCount;
            m_model.ParseAnswerOf(context, answer);
            outcome.taken = m_model.ErrorCount <= errorsBefore && m_model.LastErrorCode >= 0;
            outcome.linkState = m_model.LinkState.AsInt();
            if (takeReading && outcome.linkState == 1)
                outcome.reading = TakeReading(code, m_model);
        }))
        return outcome;

    outcome.result = answer.isEmpty() || IsErrorAnswer(answer) ? -1 : 0;
    outcome.answer = answer;
    logExchange(AppendCrc16(*payload), answer);
    return outcome;
}

TRequestCycle::TOutcome TRequestCycle::exchangeLumidor(bool takeReading)
{
    TOutcome outcome;
    QByteArray answer;
    TTransmitResult sent = TTransmitResult::NotOpen;
    {
        std::lock_guard lock(m_lineMutex);
        m_line.ApplyParameters(PortParametersLumidor);
        sent = m_line.TransmitNoParity(MeterRequestPayload(), answer, true, kMeterAnswerMax);
    }
    if (sent == TTransmitResult::NotOpen)
        return outcome;
    if (!m_handOver.Run([&] {
            m_model.ParseLumidorAnswer(answer);
            outcome.linkState = m_model.LinkState.AsInt();
            if (takeReading && outcome.linkState == 1)
                outcome.reading = TakeReading(CurrentOutputReading, m_model);
        }))
        return outcome;
    // A meter that stays silent leaves no line in the log.
    if (answer.isEmpty())
        return outcome;
    outcome.result = IsErrorAnswer(answer) ? -1 : 0;
    logExchange(AppendCrc8(MeterRequestPayload()), answer);
    return outcome;
}

void TRequestCycle::logExchange(const QByteArray &request, const QByteArray &answer)
{
    const int radix = LogRadix;
    const QString line = QStringLiteral("[") + RenderFrame(request, radix, true) + QStringLiteral("] -> [") +
                         RenderFrame(answer, radix, true) + QStringLiteral("]");
    std::lock_guard lock(m_logMutex);
    m_exchangeLog.Add(line); // a lost log line does not change the exchange
}

int TRequestCycle::NextDevice()
{
    std::lock_guard lock(m_configMutex);
    const int count = int(m_devices.size());
    for (int step = 0; step < count; ++step) {
        m_cursor = m_cursor < count - 1 ? m_cursor + 1 : 0;
        if (m_devices[size_t(m_cursor)].Enabled)
            return m_cursor;
    }
    return -1;
}

bool TRequestCycle::DoRequest()
{
    const int index = NextDevice();
    if (index < 0)
        return true;
    if (Device(index).Kind == TListDevice::KindTolm)
        pollTolm();
    else
        pollLumidor();
    return true;
}

void TRequestCycle::pollTolm()
{
    std::bitset<kPollCodes> polled;
    {
        std::lock_guard lock(m_configMutex);
        polled = m_pollSet;
    }
    // Ascending order whatever order the operator ticked them in; 103 is in
    // the set's range but is no command and is never sent.
    for (int code = 0; code < CommandCount; ++code) {
        if (!polled.test(size_t(code)))
            continue;
        if (m_handOver.Closed())
            return; // the program is ending
        const TOutcome outcome = exchangeTolm(code, true);
        if (outcome.linkState == 1)
            passReading(code, outcome.reading);
    }
}

void TRequestCycle::pollLumidor()
{
    const TOutcome outcome = exchangeLumidor(true);
    if (outcome.linkState == 1)
        passReading(CurrentOutputReading, outcome.reading);
}

void TRequestCycle::passReading(int code, const QVector<TArchivedValue> &values)
{
    if (values.isEmpty())
        return;
    std::lock_guard lock(m_outletMutex);
    if (m_outlet)
        m_outlet(code, values, Clock().Now());
}
