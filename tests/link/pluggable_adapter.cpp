#include "pluggable_adapter.h"

#include "protocol/request_layout.h"

#include <QFile>

using namespace std::chrono_literals;

TPluggableAdapter::TPluggableAdapter(const QString &name) : m_name(name), m_sim(TSimLineConfig())
{
}

TPluggableAdapter::~TPluggableAdapter()
{
    pullOut();
}

bool TPluggableAdapter::plugIn()
{
    m_pty = std::make_unique<TPtyPair>();
    if (!m_pty->valid() || !QFile::link(m_pty->slaveName(), m_name))
        return false;
    m_stop = false;
    m_gauge = std::thread([this] { serve(); });
    return true;
}

void TPluggableAdapter::pullOut()
{
    m_stop = true;
    if (m_gauge.joinable())
        m_gauge.join();
    QFile::remove(m_name);
    m_pty.reset();
}

// Requests are told apart by their length, known from their first bytes;
// bytes that make no request are dropped after a quiet moment.
void TPluggableAdapter::serve()
{
    QByteArray pending;
    while (!m_stop) {
        const int expected = ExpectedRequestLength(pending);
        if (expected > 0 && pending.size() >= expected) {
            const QByteArray request = pending.left(expected);
            pending.remove(0, expected);
            m_pty->send(m_sim.answer(request, IsMeterRequest(request)).bytes());
            continue;
        }
        const int wanted = expected > 0 ? expected - int(pending.size()) : 1;
        const QByteArray more = m_pty->receive(wanted, 20ms);
        if (more.isEmpty() && expected < 0)
            pending.clear();
        pending += more;
    }
}
