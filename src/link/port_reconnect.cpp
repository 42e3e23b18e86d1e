#include "link/port_reconnect.h"

TPortReconnect::TPortReconnect(std::function<bool()> tryReopen, std::chrono::milliseconds period)
    : m_tryReopen(std::move(tryReopen))
{
    m_timer.setInterval(period);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        if (m_tryReopen())
            m_timer.stop();
    });
}

void TPortReconnect::Start()
{
    // Queued even in the timer's own thread: the caller may hold the port.
    QMetaObject::invokeMethod(
        &m_timer, [this] {
            if (!m_timer.isActive())
                m_timer.start();
        },
        Qt::QueuedConnection);
}
