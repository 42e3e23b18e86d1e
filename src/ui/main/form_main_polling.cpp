// Polling and array capture: starting and stopping the polling timer, the
// periodic capture of the signal and the spectrum, and the array reads
// themselves.
#include "ui/main/form_main.h"

#include "values/clock.h"
#include "app/custom_timer.h"
#include "link/request_thread.h"
#include "session/gauge_session.h"
#include "session/procedure_runner.h"
#include "session/procedures/procedure_context.h"
#include "ui/main/action_dispatcher.h"
#include "ui/main/action_tables.h"
#include "ui/dialogs/operator.h"
#include "ui/main/program.h"

#include <QPointer>

namespace {

const QString OprosStart = QStringLiteral("actOprosStart");
const QString OprosStop = QStringLiteral("actOprosStop");
const QString SignalStart = QStringLiteral("actOprosSignalStart");
const QString SignalStop = QStringLiteral("actOprosSignalStop");
const QString SpectrumRead = QStringLiteral("actSpectrumRead");
const QString SignalRead = QStringLiteral("actSignalRead");

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
        {SpectrumRead, [this] { readArrays({TCapturedArray::Spectrum}, {}); }},
        {SignalRead, [this] { readArrays({TCapturedArray::Signal}, {}); }},
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

bool TFormMain::StopPolling()
{
    const bool wasRunning = m_program.PollingTimer().IsEnabled();
    ExecuteAction(OprosStop);
    return wasRunning;
}

void TFormMain::StartPolling()
{
    ExecuteAction(OprosStart);
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
    m_program.RequestThread().OnPollTick();
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
    // The arrays are being read already (or another procedure runs): the
    // next tick captures.
    if (m_program.Session().Runner().Busy())
        return;
    TCustomTimer &polling = m_program.PollingTimer();
    const bool pollingWasOn = polling.IsEnabled();
    polling.Pause(true);
    const bool captureWasOn = m_captureTimer->IsEnabled();
    m_captureTimer->Pause(true);

    // Each runs on as it was, unless the operator stopped it while the
    // arrays were read.
    CaptureSignalAndSpectrum([this, pollingWasOn, captureWasOn] {
        m_captureTimer->Pause(!(captureWasOn && m_actions->IsEnabled(SignalStop)));
        m_program.PollingTimer().Pause(!(pollingWasOn && m_actions->IsEnabled(OprosStop)));
    });
}

bool TFormMain::CaptureSignalAndSpectrum(std::function<void()> after)
{
    return readArrays({TCapturedArray::Signal, TCapturedArray::Spectrum}, std::move(after));
}

bool TFormMain::readArrays(std::vector<TCapturedArray> arrays, std::function<void()> after)
{
    const QString dbPath = m_program.ArchiveSettings().dbPath;
    return startProcedure(
        [this, arrays, dbPath](const TProcedureContext &context) {
            for (TCapturedArray array : arrays) {
                if (array == TCapturedArray::Spectrum)
                    ReadSpectrum(context.Sender, context.Views, m_counters, dbPath);
                else
                    ReadSignal(context.Sender, context.Views, m_counters, dbPath);
            }
        },
        std::move(after));
}

void TFormMain::applyBusyLock(bool busy)
{
    static const QStringList StayUsable = BusyUsableActions();
    for (const QString &name : m_actions->Names())
        if (!StayUsable.contains(name))
            m_actions->SetEnabled(name, !busy);
    if (busy)
        return;
    if (m_closeConfirmed) {
        // The command the close waited for has ended; whatever progress it
        // showed goes with it.
        Operator().CloseProgress();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    showPollingState();
    showCaptureState();
    ApplyPollingLock();
    continueInTurn();
}
