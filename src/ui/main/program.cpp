#include "ui/main/program.h"

#include "app/app_context.h"
#include "app/custom_timer.h"
#include "device/tolm472.h"
#include "link/transmitter.h"
#include "register/register_outbox.h"
#include "session/gauge_session.h"
#include "session/line_gauges.h"
#include "ui/dialogs/operator.h"
#include "ui/dialogs/operator_messages.h"

TProgram::TProgram(const TLineFactory &otherLine)
{
    const TAppContext &context = AppContext();
    const QString &home = context.ProgramFolder();
    m_archiveSettings = LoadArchiveSettings(home);

    // Whatever the file says, polling starts stopped: the main window
    // stops it before the first tick can come; only the interval counts.
    m_pollingTimer = std::make_unique<TCustomTimer>();
    m_pollingTimer->SetName(QStringLiteral("ctReqDevices"));
    m_pollingTimer->Load();

    // The port object exists also with another line: its settings are the
    // ones "СОМ порт" edits and the communication window shows.
    m_transmitter = std::make_unique<TTransmitter>(home);
    m_transmitter->SetOnErrorMessage([](const QString &caption, const QString &text) {
        Operator().ShowMessage(TMessageIcon::Error, caption, text);
    });
    const bool settingsRead = m_transmitter->LoadSettings();
    if (otherLine)
        m_otherLine = otherLine();
    else if (settingsRead)
        m_transmitter->Open();

    m_session = std::make_unique<TGaugeSession>(
        TGaugeSessionSetup{home, context.Flags.ModbusMode, context.Flags.LogRadix}, Line());
    RouteModelMessages(m_session->Model());
    // Reported from the request thread: the operator hears of it in the
    // user-interface thread.
    m_session->OpenArchive(
        m_archiveSettings.dbPath,
        [context = &m_uiContext](const QString &text) {
            QMetaObject::invokeMethod(context, [text] { Operator().Error(text); }, Qt::QueuedConnection);
        },
        [context = &m_uiContext](const QString &text) {
            QMetaObject::invokeMethod(context, [text] { Operator().Information(AttentionCaption(), text); },
                                      Qt::QueuedConnection);
        });
    // The gauges of the line the operator kept, with their polled marks.
    m_session->SetLineGauges(LoadLineGauges(home));
    m_registerOutbox = std::make_unique<TRegisterOutbox>(RegisterPlace(home, m_archiveSettings.dbPath));
}

TProgram::~TProgram()
{
    m_registerOutbox.reset();
    m_pollingTimer.reset();
    m_session.reset();
    m_otherLine.reset();
    m_transmitter->Close();
    m_transmitter.reset();
    SaveArchiveSettings(AppContext().ProgramFolder(), m_archiveSettings);
}

Ttolm472 &TProgram::Model() const
{
    return m_session->Model();
}

TLine &TProgram::Line() const
{
    if (m_otherLine)
        return *m_otherLine;
    return *m_transmitter;
}

TRequestCycle &TProgram::Cycle() const
{
    return m_session->Cycle();
}

TRequestThread &TProgram::RequestThread() const
{
    return m_session->RequestThread();
}

TValueArchive &TProgram::Archive() const
{
    return *m_session->Archive();
}
