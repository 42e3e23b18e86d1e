// Polling and array capture: starting and stopping the polling timer, the
// periodic capture of the signal and the spectrum, and the array reads
// themselves.
#include "ui/form_main.h"

#include "values/clock.h"
#include "app/custom_timer.h"
#include "link/request_thread.h"
#include "ui/action_dispatcher.h"
#include "ui/action_tables.h"
#include "ui/operator.h"
#include "ui/program.h"

#include <array>

namespace {

const QString OprosStart = QStringLiteral("actOprosStart");
const QString OprosStop = QStringLiteral("actOprosStop");
const QString SignalStart = QStringLiteral("actOprosSignalStart");
const QString SignalStop = QStringLiteral("actOprosSignalStop");
const QString SpectrumRead = QStringLiteral("actSpectrumRead");
const QString SignalRead = QStringLiteral("actSignalRead");
const QString InitReadStart = QStringLiteral("actInitReadStart");
const QString InitReadStop = QStringLiteral("actInitReadStop");

} // namespace

void TFormMain::addPollingActions()
{
    const std::map<QString, TActionDispatcher::THandler> handlers = {
        {OprosStart, [this] { startPolling(); }},
        {OprosStop, [this] { stopPolling(); }},
        {QStringLiteral("actTimerParametersChange"), [this] { changePollPeriod(); }},
        {SignalStart, [this] { startCapture(); }},
        {SignalStop, [this] { stopCapture(); }},
        {QStringLiteral("actPeriodSignalReadChange"), [this] { changeCapturePeriod(); }},
        {SpectrumRead, [this] { readArray(TCapturedArray::Spectrum); }},
        {SignalRead, [this] { readArray(TCapturedArray::Signal); }},
    };
    for (const TNamedAction &row : PollingActions()) {
        const QString name = QString::fromUtf8(row.Name);
        m_actions->Add(name, QString::fromUtf8(row.Caption), HintOf(row), handlers.at(name));
    }
}

void TFormMain::showPollingState()
{
    const bool polling = m_program.PollingTimer().IsEnabled();
    m_actions->SetEnabled(OprosStart, !polling);
    m_actions->SetEnabled(OprosStop, polling);
}

void TFormMain::showCaptureState()
{
    const bool capturing = m_captureTimer->IsEnabled();
    m_actions->SetEnabled(SignalStart, !capturing);
    m_actions->SetEnabled(SignalStop, capturing);
}

void TFormMain::startPolling()
{
    m_program.PollingTimer().Start();
    showPollingState();
    ApplyPollingLock();
}

void TFormMain::stopPolling()
{
    // A pass already on the line finishes in the request thread.
    m_program.PollingTimer().Stop();
    showPollingState();
    ApplyPollingLock();
    UpdateAllViews();
}

void TFormMain::changePollPeriod()
{
    TCustomTimer &timer = m_program.PollingTimer();
    timer.SetInterval(Operator().InputInteger(QStringLiteral("Введите"), QStringLiteral("Период опроса, мс [100, 60000]"),
                                              timer.Interval(), 60000, 100));
    timer.Save();
}

void TFormMain::OnPollTimer()
{
    m_program.RequestThread().OnPollTick(m_program.PollingTimer());
}

void TFormMain::startCapture()
{
    m_counters.Reset(Clock().Now());
    CaptureSignalAndSpectrum();
    m_captureTimer->Start();
    showCaptureState();
    ApplyPollingLock();
}

void TFormMain::stopCapture()
{
    m_captureTimer->Stop();
    showCaptureState();
    ApplyPollingLock();
}

void TFormMain::changeCapturePeriod()
{
    m_captureTimer->SetInterval(Operator().InputInteger(QStringLiteral("Введите"),
                                                        QStringLiteral("Период опроса сигнала, мс [30000, 3600000]"),
                                                        m_captureTimer->Interval(), 3600000, 30000));
    m_captureTimer->Save();
}

void TFormMain::OnCaptureTimer()
{
    if (m_arrayReadRunning)
        return; // the arrays are being read already; the next tick captures
    TCustomTimer &polling = m_program.PollingTimer();
    const bool pollingWasOn = polling.IsEnabled();
    polling.Pause(true);
    const bool captureWasOn = m_captureTimer->IsEnabled();
    m_captureTimer->Pause(true);

    CaptureSignalAndSpectrum();

    // Each runs on as it was, unless the operator stopped it while the
    // arrays were read (the progress window lets the menus work).
    m_captureTimer->Pause(!(captureWasOn && m_actions->IsEnabled(SignalStop)));
    polling.Pause(!(pollingWasOn && m_actions->IsEnabled(OprosStop)));
}

void TFormMain::CaptureSignalAndSpectrum()
{
    runEvenIfLocked(SignalRead);
    runEvenIfLocked(SpectrumRead);
}

void TFormMain::runEvenIfLocked(const QString &name)
{
    if (m_actions->IsEnabled(name)) {
        ExecuteAction(name);
        return;
    }
    m_actions->SetEnabled(name, true);
    ExecuteAction(name);
    m_actions->SetEnabled(name, false);
}

void TFormMain::readArray(TCapturedArray array)
{
    if (m_arrayReadRunning)
        return;
    const std::array<QString, 3> own = {array == TCapturedArray::Spectrum ? SpectrumRead : SignalRead,
                                        InitReadStart, InitReadStop};
    std::array<bool, 3> wasEnabled{};
    for (size_t i = 0; i < own.size(); ++i) {
        wasEnabled[i] = m_actions->IsEnabled(own[i]);
        m_actions->SetEnabled(own[i], false);
    }
    const bool pollingWasStopped = m_actions->IsEnabled(OprosStart);
    m_arrayReadRunning = true;

    const QString dbPath = m_program.ArchiveSettings().dbPath;
    if (array == TCapturedArray::Spectrum)
        ReadSpectrum(*m_sender, m_counters, dbPath);
    else
        ReadSignal(*m_sender, m_counters, dbPath);

    m_arrayReadRunning = false;
    // Usable again as they were before the read (also after a capture file
    // that could not be written), or as polling now says when it was
    // started or stopped meanwhile.
    for (size_t i = 0; i < own.size(); ++i)
        m_actions->SetEnabled(own[i], wasEnabled[i]);
    if (m_actions->IsEnabled(OprosStart) != pollingWasStopped)
        ApplyPollingLock();
}
