#include "pty_server.h"

#include "protocol/request_layout.h"
#include "sim/sim_line.h"

#include <QByteArray>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The service program writes the address byte alone, waits at least 3 ms
// and writes the rest; a pause much longer than that ends a request whose
// length could not be told.
constexpr auto kQuietGap = std::chrono::milliseconds(20);
// How often the stop flag is looked at while the line is idle.
constexpr int kIdlePollMs = 50;

bool makeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

// What went wrong with an answer, for the verbose log: " [bad-crc]", " [collision]", ...
QString replyNote(const TSimReply &reply)
{
    QString note;
    if (reply.bus == TSimBusOutcome::Garbled)
        note = QStringLiteral("garbled");
    else if (reply.bus == TSimBusOutcome::Collision)
        note = QStringLiteral("collision");
    else if (reply.fault != TSimFault::None)
        note = SimFaultName(reply.fault);
    return note.isEmpty() ? note : QStringLiteral(" [%1]").arg(note);
}

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

TPtyServer::~TPtyServer()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool TPtyServer::open(QString &error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        error = systemError("grantpt/unlockpt");
        return false;
    }
    const char *name = ptsname(m_master);
    if (!name) {
        error = systemError("ptsname");
        return false;
    }
    m_portName = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        error = systemError("open of the far end");
        return false;
    }
    if (!makeRaw(m_slave) || !makeRaw(m_master)) {
        error = systemError("raw mode");
        return false;
    }
    return true;
}

void TPtyServer::serve(TSimLine &line, const volatile std::sig_atomic_t &stop, bool verbose)
{
    QByteArray pending;
    Clock::time_point firstByte = Clock::now();
    Clock::time_point lastByte = firstByte;
    while (!stop) {
        // A request whose length is known and complete is answered at once.
        const int expected = ExpectedRequestLength(pending);
        if (expected > 0 && pending.size() >= expected) {
            answer(line, pending.left(expected), firstByte, verbose);
            pending.remove(0, expected);
            firstByte = Clock::now();
            continue;
        }
        int timeoutMs = kIdlePollMs;
        if (!pending.isEmpty()) {
            const auto left = kQuietGap - (Clock::now() - lastByte);
            if (left <= Clock::duration::zero()) {
                // Quiet line: whatever came is one request as far as the
                // instruments can tell; they ignore what they cannot use.
                answer(line, pending, firstByte, verbose);
                pending.clear();
                continue;
            }
            timeoutMs = int(std::chrono::ceil<std::chrono::milliseconds>(left).count());
        }
        pollfd p{m_master, POLLIN, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        if (ready < 0 && errno != EINTR) {
            std::fprintf(stderr, "%s\n", qPrintable(systemError("poll")));
            return;
        }
        if (ready <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            lastByte = Clock::now();
            if (pending.isEmpty())
                firstByte = lastByte;
            pending.append(buffer, n);
        } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kIdlePollMs));
        }
    }
}

void TPtyServer::answer(TSimLine &line, const QByteArray &request, Clock::time_point firstByte, bool verbose)
{
    if (m_beforeRequest)
        m_beforeRequest(line);
    const bool toMeter = IsMeterRequest(request);
    const TSimReply reply = line.answer(request, toMeter);
    if (verbose) {
        std::fprintf(stderr, "%s %s -> %s%s\n", toMeter ? "meter" : "gauge", request.toHex(' ').constData(),
                     reply.bytes().toHex(' ').constData(), qPrintable(replyNote(reply)));
        std::fflush(stderr);
    }
    // The pseudo-terminal hands the request over at once; on a real line the
    // instrument has it only when its last byte has crossed the wire.
    if (!reply.isEmpty())
        std::this_thread::sleep_until(firstByte + std::chrono::microseconds(reply.requestUs));
    for (const TSimChunk &chunk : reply.chunks) {
        std::this_thread::sleep_for(std::chrono::microseconds(chunk.delayUs));
        writePaced(chunk.bytes, chunk.durationUs);
    }
}

void TPtyServer::writePaced(const QByteArray &bytes, long long durationUs)
{
    const auto start = Clock::now();
    const qsizetype n = bytes.size();
    // Without line timing the whole answer goes in one write; with it each
    // byte leaves when its last bit would have.
    const qsizetype step = durationUs > 0 ? 1 : n;
    for (qsizetype i = 0; i < n; i += step) {
        if (durationUs > 0)
            std::this_thread::sleep_until(start + std::chrono::microseconds(durationUs * (i + 1) / n));
        qsizetype off = i;
        const qsizetype end = std::min(n, i + step);
        while (off < end) {
            const ssize_t w = ::write(m_master, bytes.constData() + off, size_t(end - off));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return; // nobody listens any more; the answer is lost like on a cut line
            off += w;
        }
    }
}
