#include "link/port_thread.h"

TPortThread::TPortThread()
{
    m_thread.setObjectName(QStringLiteral("SerialPort"));
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
}

TPortThread::~TPortThread()
{
    m_thread.quit();
    m_thread.wait();
}

void TPortThread::Run(const std::function<void()> &work)
{
    if (InPortThread())
        work();
    else
        QMetaObject::invokeMethod(m_context, work, Qt::BlockingQueuedConnection);
}
