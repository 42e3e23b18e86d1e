#include "link/request_cycle.h"

#include "values/clock.h"
#include "device/tolm472.h"
#include "protocol/command_codes.h"
#include "protocol/command_table.h"
#include "protocol/frame.h"
#include "protocol/request_layout.h"
#include "link/line.h"

#include <QDate>

#include <algorithm>

TRequestCycle::TRequestCycle(const Ttolm472 &model, TLine &line, const QString &programFolder)
    : PortParametersTolm(programFolder), PortParametersLumidor(programFolder), m_line(line),
      m_programFolder(programFolder), m_address(model.SystemAddress()), m_errorMax(model.ErrorMax())
{
    PortParametersTolm.Section = QStringLiteral("Tolm");
    PortParametersLumidor.Section = QStringLiteral("Lumidor");
    m_gaugeStatus = model.LinkStatus();
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

void TRequestCycle::SetAnswerOutlet(TAnswerOutlet outlet)
{
    std::lock_guard lock(m_lineMutex);
    m_answerOutlet = std::move(outlet);
}

void TRequestCycle::SetLineOutlet(TLineOutlet outlet)
{
    std::lock_guard lock(m_outletMutex);
    m_lineOutlet = std::move(outlet);
}

void TRequestCycle::SetCompanions(const std::vector<uint8_t> &addresses)
{
    std::vector<uint8_t> sorted = addresses;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::lock_guard lock(m_configMutex);
    m_companions = sorted;
    // Their counts start afresh at their next exchange: the line lock is not
    // waited for here, in the thread of the operator's click.
    m_companionsChanged = true;
}

std::vector<uint8_t> TRequestCycle::Companions() const
{
    std::lock_guard lock(m_configMutex);
    return m_companions;
}

void TRequestCycle::SetGauge(uint8_t address, uint16_t errorMax)
{
    m_address = address;
    m_errorMax = errorMax;
}

TGaugeRequest TRequestCycle::ReadRequest(int code) const
{
    TGaugeRequest request;
    request.Code = code;
    request.Address = m_address;
    return request;
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

TGaugeAnswer TRequestCycle::Exchange(const TGaugeRequest &request)
{
    return exchangeTolm(request);
}

TGaugeAnswer TRequestCycle::ExchangeAside(const TGaugeRequest &request, const TPortParameters &parameters)
{
    std::lock_guard lock(m_lineMutex);
    TLinkStatus status; // whoever answers there is counted on its own, once
    status.ErrorMax = 1;
    return exchangeOnLine(request, parameters, status, false);
}

TGaugeAnswer TRequestCycle::exchangeTolm(const TGaugeRequest &request)
{
    std::lock_guard lock(m_lineMutex);
    // The parse counts every answer it refuses (and a reading whose status
    // says the gauge cannot measure); once the count reaches ErrorMax the
    // refusal also shows in the status as one of the program's own
    // negative codes.
    if (m_gaugeStatus.ErrorMax != m_errorMax) {
        m_gaugeStatus.ErrorMax = m_errorMax;
        m_gaugeStatus.ErrorCount = 0;
    }
    return exchangeOnLine(request, PortParametersTolm, m_gaugeStatus, true);
}

TGaugeAnswer TRequestCycle::exchangeCompanion(uint8_t address, int code)
{
    TGaugeRequest request;
    request.Code = code;
    request.Address = address;
    std::lock_guard lock(m_lineMutex);
    if (m_companionsChanged.exchange(false))
        m_companionStatus.clear();
    TLinkStatus &status = m_companionStatus[address];
    if (status.ErrorMax != m_errorMax) {
        status.ErrorMax = m_errorMax;
        status.ErrorCount = 0;
    }
    return exchangeOnLine(request, PortParametersTolm, status, false);
}

TGaugeAnswer TRequestCycle::exchangeOnLine(const TGaugeRequest &request, const TPortParameters &parameters,
                                           TLinkStatus &status, bool polledGauge)
{
    TAnswerContext context;
    QString refusal;
    const std::optional<QByteArray> payload = BuildGaugeRequest(request, m_arrayKind, &context, &refusal);
    if (!payload) {
        TGaugeAnswer refused;
        refused.Code = request.Code;
        // A block read the gauge could not answer tells the operator why; a
        // code that is no command just fails.
        if (CommandRow(request.Code) && polledGauge) {
            refused.Message = refusal;
            publish(refused);
        }
        return refused;
    }

    QByteArray answer;
    m_line.ApplyParameters(parameters);
    const TTransmitResult sent = ModbusMode ? m_line.TransmitPlain(*payload, answer, true, kGaugeAnswerMax)
                                            : m_line.TransmitAddressed(*payload, answer, true, kGaugeAnswerMax);
    if (sent == TTransmitResult::NotOpen) {
        TGaugeAnswer unsent; // nothing went out: no answer to parse, no log line
        unsent.Code = request.Code;
        return unsent;
    }

    TGaugeAnswer parsed = ParseGaugeAnswer(context, answer, status);
    parsed.Code = request.Code;
    logExchange(AppendCrc16(*payload), answer);
    // Only the polled gauge's answers reach its model and its black box.
    if (!polledGauge)
        return parsed;
    if (parsed.Signature && parsed.Signature->NewAddress)
        m_address = parsed.Signature->Address; // the gauge answers from its new address from now on
    if (parsed.BlackBoxStatus)
        LogBlackBoxEntry(m_programFolder, *parsed.BlackBoxStatus);
    publish(parsed);
    return parsed;
}

TGaugeAnswer TRequestCycle::ExchangeLumidor()
{
    std::lock_guard lock(m_lineMutex);
    QByteArray answer;
    m_line.ApplyParameters(PortParametersLumidor);
    const TTransmitResult sent = m_line.TransmitNoParity(MeterRequestPayload(), answer, true, kMeterAnswerMax);
    TGaugeAnswer parsed;
    if (sent != TTransmitResult::NotOpen) {
        m_meterStatus.ErrorMax = m_errorMax; // the gauge's threshold
        parsed = ParseMeterAnswer(answer, m_meterStatus);
        // A meter that stays silent leaves no line in the log.
        if (!answer.isEmpty())
            logExchange(AppendCrc8(MeterRequestPayload()), answer);
    }
    parsed.Code = CurrentOutputReading;
    publish(parsed);
    return parsed;
}

void TRequestCycle::publish(const TGaugeAnswer &answer)
{
    if (m_answerOutlet)
        m_answerOutlet(answer);
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
    std::vector<uint8_t> addresses;
    {
        std::lock_guard lock(m_configMutex);
        polled = m_pollSet;
        addresses = m_companions;
    }
    const uint8_t gauge = m_address;
    if (!std::binary_search(addresses.begin(), addresses.end(), gauge))
        addresses.insert(std::upper_bound(addresses.begin(), addresses.end(), gauge), gauge);
    // Gauge by gauge in address order, each with the commands in ascending
    // order whatever order the operator ticked them in; 103 is in the set's
    // range but is no command and is never sent.
    for (const uint8_t address : addresses) {
        for (int code = 0; code < CommandCount; ++code) {
            if (!polled.test(size_t(code)))
                continue;
            if (m_stopping)
                return; // the program is ending
            passReading(address, address == gauge ? exchangeTolm(ReadRequest(code)) : exchangeCompanion(address, code));
        }
    }
}

void TRequestCycle::pollLumidor()
{
    passReading(0, ExchangeLumidor());
}

void TRequestCycle::passReading(int address, const TGaugeAnswer &answer)
{
    if (!answer.Sent)
        return;
    // The device's link as the answer left it: a reading comes only from a
    // device whose link is up.
    const bool accepted = answer.Status.LinkState == 1;
    TReading reading{address, answer.Code, accepted ? TakeReading(answer) : QVector<TArchivedValue>{},
                     Clock().Now()};
    std::lock_guard lock(m_outletMutex);
    if (!reading.values.isEmpty() && m_outlet)
        m_outlet(reading);
    if (address != 0 && m_lineOutlet)
        m_lineOutlet({address, answer.Code, reading.stamp, accepted, answer.Status.LinkState,
                      answer.Status.ErrorCount, answer.Status.LastErrorText, reading.values});
}
