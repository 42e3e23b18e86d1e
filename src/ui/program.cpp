#include "ui/program.h"

#include "app/app_context.h"
#include "app/custom_timer.h"
#include "archive/value_archive.h"
#include "device/tolm472.h"
#include "link/program_setup.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "link/simulated_line.h"
#include "link/transmitter.h"
#include "link/ui_hand_over.h"
#include "ui/operator.h"

TProgram::TProgram(const TProgramOptions &options)
{
    const TAppContext &context = AppContext();
    const QString &home = context.ProgramFolder();
    m_archiveSettings = LoadArchiveSettings(home);

    m_model = std::make_unique<Ttolm472>(home);
    SetUpProgramGauge(*m_model);
    m_model->OnMessage = [](const QString &text) { Operator().Warning(text); };

    // Whatever the file says, polling starts stopped: the main window
    // stops it before the first tick can come; only the interval counts.
    m_pollingTimer = std::make_unique<TCustomTimer>();
    m_pollingTimer->SetName(QStringLiteral("ctReqDevices"));
    m_pollingTimer->Load();

    createLine(options);

    m_handOver = std::make_unique<TUiHandOver>(&m_uiContext);
    m_cycle = std::make_unique<TRequestCycle>(*m_model, Line(), *m_handOver, home);
    m_cycle->PortParametersTolm.LoadFromFile();
    m_cycle->PortParametersLumidor.LoadFromFile();
    m_cycle->ModbusMode = context.Flags.ModbusMode;
    m_cycle->LogRadix = context.Flags.LogRadix;
    m_requestThread = std::make_unique<TRequestThread>(*m_cycle, *m_handOver);

    m_archive = std::make_unique<TValueArchive>(m_archiveSettings.dbPath);
    // Reported from the request thread: the operator hears of it in the
    // user-interface thread, once per failure spell (the archive's rule).
    m_archive->SetErrorHandler([context = &m_uiContext](const QString &text) {
        QMetaObject::invokeMethod(context, [text] { Operator().Error(text); }, Qt::QueuedConnection);
    });
    m_cycle->SetArchive(m_archive.get());
}

void TProgram::createLine(const TProgramOptions &options)
{
    const TAppContext &context = AppContext();
    // The port object exists also with the simulator: its settings are the
    // ones "СОМ порт" edits and the communication window shows.
    m_transmitter = std::make_unique<TTransmitter>(context.ProgramFolder());
    m_transmitter->SetOnErrorMessage([](const QString &caption, const QString &text) {
        Operator().ShowMessage(TMessageIcon::Error, caption, text);
    });
    const bool settingsRead = m_transmitter->LoadSettings();
    if (context.Flags.SimMode) {
        TSimLineConfig config = ProgramSimLineConfig(context.ProgramFolder(), context.Flags.ModbusMode);
        config.timing.enabled = options.simLineTiming;
        m_simulatedLine = std::make_unique<TSimulatedLine>(config);
    } else if (settingsRead) {
        m_transmitter->Open();
    }
}

TLine &TProgram::Line() const
{
    if (m_simulatedLine)
        return *m_simulatedLine;
    return *m_transmitter;
}

TProgram::~TProgram()
{
    m_pollingTimer.reset();
    // The thread leaves its loop after the pass it may be in; work it still
    // hands over is dropped.
    m_requestThread.reset();
    m_cycle->SetArchive(nullptr);
    m_cycle.reset();
    m_handOver.reset();
    m_simulatedLine.reset();
    m_transmitter->Close();
    m_transmitter.reset();
    m_archive.reset();
    m_model.reset();
    SaveArchiveSettings(AppContext().ProgramFolder(), m_archiveSettings);
}
