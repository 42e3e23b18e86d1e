#include "pty_pair.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

TPtyPair::TPtyPair()
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        ADD_FAILURE() << "openpty failed";
        m_master = m_slave = -1;
        return;
    }
    termios tio{};
    ::tcgetattr(m_master, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_master, TCSANOW, &tio);
    m_slaveName = QString::fromLocal8Bit(name);
}

TPtyPair::~TPtyPair()
{
    closeMaster();
    if (m_slave >= 0)
        ::close(m_slave);
}

void TPtyPair::send(const QByteArray &bytes)
{
    ASSERT_EQ(::write(m_master, bytes.constData(), size_t(bytes.size())), bytes.size());
}

QByteArray TPtyPair::receive(int count, std::chrono::milliseconds within)
{
    QByteArray out;
    const auto until = std::chrono::steady_clock::now() + within;
    while (out.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd pfd{m_master, POLLIN, 0};
        if (::poll(&pfd, 1, int(left.count())) <= 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(m_master, buffer, std::min<size_t>(sizeof buffer, size_t(count - out.size())));
        if (n <= 0)
            break;
        out.append(buffer, n);
    }
    return out;
}

void TPtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}
