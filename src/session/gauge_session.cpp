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
    m_cycle->SetReadingOutlet([this](int code, const QVector<TArchivedValue> &values, const QDateTime &stamp) {
        onReading(code, values, stamp);
    });
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

TValueArchive &TGaugeSession::OpenArchive(const QString &dbPath, TValueArchive::TErrorHandler onError)
{
    CloseArchive();
    auto archive = std::make_unique<TValueArchive>(dbPath);
    archive->SetErrorHandler(std::move(onError));
    std::lock_guard lock(m_archiveMutex);
    m_archive = std::move(archive);
    return *m_archive;
}

void TGaugeSession::CloseArchive()
{
    std::unique_ptr<TValueArchive> closing;
    {
        std::lock_guard lock(m_archiveMutex);
        closing = std::move(m_archive);
    }
    // A pass that was archiving has finished with it once the lock was
    // taken; the tables close outside the lock.
}

void TGaugeSession::onReading(int code, const QVector<TArchivedValue> &values, const QDateTime &stamp)
{
    {
        std::lock_guard lock(m_archiveMutex);
        if (m_archive)
            for (const TArchivedValue &v : values)
                m_archive->Archive(v.name, 9, v.digits, stamp, v.value);
    }
    m_feed->Publish({code, values, stamp});
}
