#include "session/gauge_session.h"

#include "device/tolm472.h"
#include "link/line.h"
#include "link/request_cycle.h"
#include "link/request_thread.h"
#include "session/ui_hand_over.h"
#include "session/command_sender.h"
#include "session/procedure_runner.h"
#include "session/procedures/procedure_context.h"
#include "session/ui_thread_operator.h"

#include <QThread>

#include <algorithm>

namespace {

// What a procedure on the worker talks through, alive as long as it runs.
struct TWorkerParts {
    TWorkerParts(TRequestCycle &cycle, Ttolm472 &model, TUiHandOver &handOver, TOperator &uiOperator,
                 TGaugeViews &uiViews, bool fullMode, const QString &programFolder, const std::atomic<bool> &stop)
        : op(uiOperator, handOver, &stop)
        , views(uiViews, handOver)
        , sender(cycle, model, handOver, op, &stop)
        , context{sender, views, fullMode, programFolder}
    {
    }
    TUiThreadOperator op;
    TUiThreadViews views;
    TCommandSender sender;
    TProcedureContext context;
};

} // namespace

void ConnectModel(TRequestCycle &cycle, Ttolm472 &model, QObject &modelContext)
{
    const auto follow = [&cycle, &model] { cycle.SetGauge(model.SystemAddress(), model.ErrorMax()); };
    follow();
    model.OnLinkSettings = follow;
    // Every answer, parsed where it arrived, reaches the model once, in the
    // order of the line; queued when it comes from another thread, so no
    // exchange waits for the model's thread. Answers still queued when the
    // context goes are dropped with it.
    cycle.SetAnswerOutlet([&model, &modelContext](const TGaugeAnswer &answer) {
        if (QThread::currentThread() == modelContext.thread())
            model.Apply(answer);
        else
            QMetaObject::invokeMethod(&modelContext, [&model, answer] { model.Apply(answer); }, Qt::QueuedConnection);
    });
}

void DisconnectModel(TRequestCycle &cycle, Ttolm472 &model)
{
    model.OnLinkSettings = nullptr;
    cycle.SetAnswerOutlet(nullptr);
}

TGaugeSession::TGaugeSession(const TGaugeSessionSetup &setup, TLine &line)
    : m_programFolder(setup.programFolder), m_line(line)
{
    m_model = std::make_unique<Ttolm472>(m_programFolder);
    m_model->Name = QStringLiteral("Tolm471");
    // A single refused answer already shows in the status.
    m_model->SetErrorMax(1);
    m_model->Description.Title = QStringLiteral("ТОЛМ471И");
    m_model->Description.Hint = m_model->Description.Title;

    m_handOver = std::make_unique<TUiHandOver>(&m_uiContext);
    m_feed = std::make_unique<TReadingFeed>(&m_uiContext);
    m_cycle = std::make_unique<TRequestCycle>(*m_model, m_line, m_programFolder);
    ConnectModel(*m_cycle, *m_model, m_uiContext);
    m_lineFeed = std::make_unique<TLineFeed>(&m_uiContext);
    m_cycle->SetReadingOutlet([this](const TReading &reading) { onReading(reading); });
    m_cycle->SetLineOutlet([this](const TLineAnswer &answer) { m_lineFeed->Publish(answer); });
    m_cycle->PortParametersTolm.LoadFromFile();
    m_cycle->PortParametersLumidor.LoadFromFile();
    m_cycle->ModbusMode = setup.modbus;
    m_cycle->LogRadix = setup.logRadix;
    m_requestThread = std::make_unique<TRequestThread>(*m_cycle);
    m_runner = std::make_unique<TProcedureRunner>();
}

TGaugeSession::~TGaugeSession()
{
    // The thread leaves its loop after the pass it may be in; work it or a
    // procedure still hands over is dropped.
    m_handOver->Close();
    m_requestThread.reset();
    DisconnectModel(*m_cycle, *m_model);
    m_runner.reset();
    CloseArchive();
    m_cycle.reset();
    m_lineFeed.reset();
    m_feed.reset();
    m_handOver.reset();
    m_model.reset();
}

bool TGaugeSession::StartProcedure(TOperator &op, TGaugeViews &views, bool fullMode,
                                   std::function<void(const TProcedureContext &)> procedure,
                                   std::function<void()> done)
{
    if (m_runner->Busy())
        return false;
    auto parts = std::make_shared<TWorkerParts>(*m_cycle, *m_model, *m_handOver, op, views, fullMode, m_programFolder,
                                                m_runner->StopRequested());
    return m_runner->Start([parts, procedure = std::move(procedure)] { procedure(parts->context); }, std::move(done));
}

TValueArchive &TGaugeSession::OpenArchive(const QString &dbPath, TValueArchive::TErrorHandler onError,
                                          TValueArchive::TErrorHandler onResume)
{
    CloseArchive();
    auto archive = std::make_unique<TValueArchive>(dbPath);
    archive->SetErrorHandler(onError);
    archive->SetResumeHandler(onResume);
    std::lock_guard lock(m_archiveMutex);
    m_archive = std::move(archive);
    m_archiveError = std::move(onError);
    m_archiveResume = std::move(onResume);
    return *m_archive;
}

void TGaugeSession::CloseArchive()
{
    std::unique_ptr<TValueArchive> closing;
    std::map<QString, std::unique_ptr<TValueArchive>> gauges;
    {
        std::lock_guard lock(m_archiveMutex);
        closing = std::move(m_archive);
        gauges = std::move(m_gaugeArchives);
        m_gaugeArchives.clear();
    }
    // A pass that was archiving has finished with them once the lock was
    // taken; the tables close outside the lock.
}

void TGaugeSession::SetLineGauges(const std::vector<TLineGauge> &gauges)
{
    std::vector<uint8_t> companions;
    {
        std::lock_guard lock(m_archiveMutex);
        m_lineGauges = gauges;
        m_folders.clear();
        for (const TLineGauge &gauge : gauges) {
            m_folders[gauge.Address] = GaugeFolderName(gauge.Address, gauge.PlantNumber);
            if (gauge.Polled)
                companions.push_back(uint8_t(gauge.Address));
        }
        m_polled = companions;
    }
    m_cycle->SetCompanions(companions);
}

std::vector<TLineGauge> TGaugeSession::LineGauges() const
{
    std::lock_guard lock(m_archiveMutex);
    return m_lineGauges;
}

bool TGaugeSession::KeepLineGauges(const std::vector<TLineGauge> &gauges)
{
    SetLineGauges(gauges);
    return SaveLineGauges(m_programFolder, gauges);
}

bool TGaugeSession::severalPolled() const
{
    // Some marked polled besides (or instead of) the current gauge, which
    // follows the model's address.
    const uint8_t current = m_cycle->GaugeAddress();
    return std::any_of(m_polled.begin(), m_polled.end(), [current](uint8_t a) { return a != current; });
}

QString TGaugeSession::folderOf(int address) const
{
    const auto known = m_folders.find(address);
    return known != m_folders.end() ? known->second : GaugeFolderName(address, 0);
}

QString TGaugeSession::ArchiveFolderOf(int address) const
{
    std::lock_guard lock(m_archiveMutex);
    if (!m_archive)
        return {};
    if (!severalPolled())
        return m_archive->DbPath();
    return GaugeArchivePath(m_archive->DbPath(), folderOf(address));
}

TValueArchive *TGaugeSession::archiveOf(int address)
{
    // The meter's current belongs with the current gauge, as on a single
    // gauge's line.
    if (!m_archive || !severalPolled())
        return m_archive.get();
    if (address == 0)
        address = m_cycle->GaugeAddress();
    std::unique_ptr<TValueArchive> &archive = m_gaugeArchives[folderOf(address)];
    if (!archive) {
        archive = std::make_unique<TValueArchive>(GaugeArchivePath(m_archive->DbPath(), folderOf(address)));
        archive->SetErrorHandler(m_archiveError);
        archive->SetResumeHandler(m_archiveResume);
    }
    return archive.get();
}

void TGaugeSession::onReading(const TReading &reading)
{
    {
        std::lock_guard lock(m_archiveMutex);
        if (TValueArchive *archive = archiveOf(reading.address))
            for (const TArchivedValue &v : reading.values)
                archive->Archive(v.name, 9, v.digits, reading.stamp, v.value);
    }
    // The windows show the current gauge and the meter.
    if (reading.address == 0 || reading.address == m_cycle->GaugeAddress())
        m_feed->Publish(reading);
}
