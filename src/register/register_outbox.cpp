#include "register/register_outbox.h"

#include "register/register_news.h"
#include "register/register_sync.h"

#include <QThread>
#include <QTimer>

// Lives in the outbox's thread.
class TOutboxWorker : public QObject
{
    Q_OBJECT
public:
    explicit TOutboxWorker(const TRegisterPlace &place) : m_place(place)
    {
        m_retry.setSingleShot(true);
        m_retry.setInterval(TRegisterOutbox::RetrySeconds * 1000);
        connect(&m_retry, &QTimer::timeout, this, &TOutboxWorker::send);
    }

    void send()
    {
        m_retry.stop();
        // Without a server the bench's file is all there is: nothing to open.
        if (!m_place.Settings.Server.Configured())
            return;
        const TSyncResult result = SendOutbox(m_place);
        if (result.ServerConfigured && result.Waiting > 0)
            m_retry.start();
        emit sent({result.ServerConfigured, result.Waiting, result.Error, QDateTime::currentDateTime()});
    }

signals:
    void sent(const TOutboxStatus &status);

private:
    const TRegisterPlace m_place;
    QTimer m_retry{this};
};

TRegisterOutbox::TRegisterOutbox(const TRegisterPlace &place, QObject *parent) : QObject(parent)
{
    qRegisterMetaType<TOutboxStatus>();
    m_status.ServerConfigured = place.Settings.Server.Configured();
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("register outbox"));
    m_worker = new TOutboxWorker(place);
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &TOutboxWorker::sent, this, &TRegisterOutbox::take, Qt::QueuedConnection);
    connect(&RegisterNews(), &TRegisterNews::RecordAdded, m_worker, &TOutboxWorker::send, Qt::QueuedConnection);
    m_thread->start();
    SendNow();
}

TRegisterOutbox::~TRegisterOutbox()
{
    m_thread->quit();
    m_thread->wait();
}

void TRegisterOutbox::SendNow()
{
    QMetaObject::invokeMethod(m_worker, &TOutboxWorker::send, Qt::QueuedConnection);
}

void TRegisterOutbox::take(const TOutboxStatus &status)
{
    m_status = status;
    emit StatusChanged();
}

#include "register_outbox.moc"
