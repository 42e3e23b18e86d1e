#include "link/qt_serial_port.h"

#include "link/port_device.h"

#include <QFile>
#include <QSerialPort>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QSerialPort::DataBits toQt(TDataBits value)
{
    switch (value) {
    case TDataBits::db5: return QSerialPort::Data5;
    case TDataBits::db6: return QSerialPort::Data6;
    case TDataBits::db7: return QSerialPort::Data7;
    case TDataBits::db8: break;
    }
    return QSerialPort::Data8;
}

QSerialPort::StopBits toQt(TStopBits value)
{
    switch (value) {
    case TStopBits::sb1: break;
    case TStopBits::sb1_5: return QSerialPort::OneAndHalfStop;
    case TStopBits::sb2: return QSerialPort::TwoStop;
    }
    return QSerialPort::OneStop;
}

QSerialPort::Parity toQt(TParity value)
{
    switch (value) {
    case TParity::None: break;
    case TParity::Odd: return QSerialPort::OddParity;
    case TParity::Even: return QSerialPort::EvenParity;
    case TParity::Mark: return QSerialPort::MarkParity;
    case TParity::Space: return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

QSerialPort::FlowControl toQt(TFlowControl value)
{
    switch (value) {
    case TFlowControl::Hardware: return QSerialPort::HardwareControl;
    case TFlowControl::Software: return QSerialPort::SoftwareControl;
    case TFlowControl::None:
    case TFlowControl::Custom: break;
    }
    return QSerialPort::NoFlowControl;
}

// Errors with which the kernel answers on a device that is no longer there
// (an unplugged USB adapter, a hung-up terminal).
bool deviceGone(int error)
{
    return error == EIO || error == ENXIO || error == ENODEV || error == EBADF || error == EPIPE;
}

// Qt reports a device used by another program and a device this user may
// not open alike; only the second is the engineer's to fix with a group.
bool deviceAccessDenied(const QString &portName)
{
    return ::access(QFile::encodeName(PortDevicePath(portName)).constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

// Milliseconds to the deadline for poll(), rounded up so that a wait never
// ends before it; 0 when the deadline has passed.
timespec untilDeadline(TLineClock::time_point deadline)
{
    const auto left = deadline - TLineClock::now();
    if (left <= TLineClock::duration::zero())
        return timespec{0, 0};
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count() + 1;
    return timespec{time_t(ns / 1000000000), long(ns % 1000000000)};
}

} // namespace

TQtSerialPort::TQtSerialPort() = default;

TQtSerialPort::~TQtSerialPort()
{
    close();
}

void TQtSerialPort::setPortName(const QString &name)
{
    m_portName = name;
}

QString TQtSerialPort::portName() const
{
    return m_portName;
}

bool TQtSerialPort::open()
{
    if (isOpen())
        return true;
    m_lastError.clear();
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(m_portName);
    if (m_baudRate > 0)
        port->setBaudRate(m_baudRate);
    port->setDataBits(toQt(m_dataBits));
    port->setStopBits(toQt(m_stopBits));
    port->setParity(toQt(m_parity));
    port->setFlowControl(toQt(m_flowControl));
    m_openFailure = TOpenFailure::Other;
    if (!port->open(QIODevice::ReadWrite)) {
        m_lastError = port->errorString();
        if (port->error() == QSerialPort::PermissionError && deviceAccessDenied(m_portName))
            m_openFailure = TOpenFailure::Denied;
        else if (!PortDeviceExists(m_portName))
            m_openFailure = TOpenFailure::Missing;
        else if (port->error() == QSerialPort::PermissionError) {
            // With the rights on the device, a refusal is another program's
            // lock on it.
            m_openFailure = TOpenFailure::Busy;
            m_lastError = QStringLiteral("порт занят другой программой");
        }
        return false;
    }
    m_port = std::move(port);
    if (!configureOpenPort()) {
        close();
        return false;
    }
    return true;
}

bool TQtSerialPort::configureOpenPort()
{
    // Bytes are read straight from the handle; Qt's own reader must never
    // compete for them.
    for (QSocketNotifier *notifier : m_port->findChildren<QSocketNotifier *>())
        notifier->setEnabled(false);
    return stopInputParityChecks();
}

// Qt sets IGNPAR with every parity, which drops a received byte with a
// framing error instead of passing it on. The gauge's answer bytes carry
// either parity bit and must all arrive unchanged and in full, so input
// parity checking, parity marking and error dropping are all off.
bool TQtSerialPort::stopInputParityChecks()
{
    termios tio{};
    if (::tcgetattr(handle(), &tio) != 0)
        return fail("tcgetattr", errno);
    const tcflag_t wanted = tio.c_iflag & ~tcflag_t(INPCK | PARMRK | IGNPAR | ISTRIP);
    if (wanted == tio.c_iflag)
        return true;
    tio.c_iflag = wanted;
    if (::tcsetattr(handle(), TCSANOW, &tio) != 0)
        return fail("tcsetattr", errno);
    return true;
}

void TQtSerialPort::close()
{
    if (!m_port)
        return;
    if (m_port->isOpen())
        m_port->close();
    m_port.reset();
}

bool TQtSerialPort::isOpen() const
{
    return m_port && m_port->isOpen();
}

QString TQtSerialPort::lastError() const
{
    return m_lastError;
}

int TQtSerialPort::handle() const
{
    return isOpen() ? int(m_port->handle()) : -1;
}

bool TQtSerialPort::fail(const char *operation, int error)
{
    m_lastError = QStringLiteral("%1: %2").arg(QLatin1String(operation), QString::fromLocal8Bit(std::strerror(error)));
    if (deviceGone(error)) {
        m_lastError += QStringLiteral(" (device gone, port closed)");
        close();
    }
    return false;
}

bool TQtSerialPort::failSetting(const char *operation)
{
    const QSerialPort::SerialPortError error = m_port->error();
    m_lastError = QStringLiteral("%1: %2").arg(QLatin1String(operation), m_port->errorString());
    m_port->clearError();
    if (error == QSerialPort::ResourceError || error == QSerialPort::DeviceNotFoundError) {
        m_lastError += QStringLiteral(" (device gone, port closed)");
        close();
    }
    return false;
}

bool TQtSerialPort::setBaudRate(int bitsPerSecond)
{
    if (bitsPerSecond <= 0 || bitsPerSecond == m_baudRate)
        return true;
    m_baudRate = bitsPerSecond;
    if (isOpen() && !m_port->setBaudRate(bitsPerSecond))
        return failSetting("baud rate");
    return true;
}

bool TQtSerialPort::setDataBits(TDataBits dataBits)
{
    if (dataBits == m_dataBits)
        return true;
    m_dataBits = dataBits;
    if (isOpen() && !m_port->setDataBits(toQt(dataBits)))
        return failSetting("data bits");
    return true;
}

bool TQtSerialPort::setStopBits(TStopBits stopBits)
{
    if (stopBits == m_stopBits)
        return true;
    m_stopBits = stopBits;
    if (isOpen() && !m_port->setStopBits(toQt(stopBits)))
        return failSetting("stop bits");
    return true;
}

bool TQtSerialPort::setParity(TParity parity)
{
    if (parity == m_parity)
        return true;
    m_parity = parity;
    if (!isOpen())
        return true;
    if (!m_port->setParity(toQt(parity)))
        return failSetting("parity");
    return stopInputParityChecks();
}

bool TQtSerialPort::setFlowControl(TFlowControl flowControl)
{
    if (flowControl == TFlowControl::Custom || flowControl == m_flowControl)
        return true;
    m_flowControl = flowControl;
    if (isOpen() && !m_port->setFlowControl(toQt(flowControl)))
        return failSetting("flow control");
    return true;
}

bool TQtSerialPort::write(const QByteArray &bytes, TLineClock::time_point deadline)
{
    if (!isOpen())
        return false;
    const int fd = handle();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return fail("write", errno);
        // The driver's buffer is full (flow control holding the line, for
        // one): wait for room until the write time-out.
        pollfd pfd{fd, POLLOUT, 0};
        const timespec left = untilDeadline(deadline);
        if (left.tv_sec == 0 && left.tv_nsec == 0) {
            m_lastError = QStringLiteral("write: time-out");
            return false;
        }
        const int ready = ::ppoll(&pfd, 1, &left, nullptr);
        if (ready < 0 && errno != EINTR)
            return fail("poll", errno);
        if (ready > 0 && (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return fail("write", EIO);
    }
    return true;
}

bool TQtSerialPort::drain(TLineClock::time_point deadline)
{
    if (!isOpen())
        return false;
    const int fd = handle();
    // tcdrain() waits without limit, and with hardware flow control and no
    // partner the bytes never leave; so first watch the output queue empty
    // within the write time-out, then let tcdrain() wait out the last
    // character in the UART.
    for (;;) {
        int queued = 0;
        if (::ioctl(fd, TIOCOUTQ, &queued) != 0) {
            if (deviceGone(errno))
                return fail("ioctl(TIOCOUTQ)", errno);
            break; // a driver without the count: tcdrain() alone
        }
        if (queued <= 0)
            break;
        if (TLineClock::now() >= deadline) {
            m_lastError = QStringLiteral("drain: time-out");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    while (::tcdrain(fd) != 0) {
        if (errno != EINTR)
            return fail("tcdrain", errno);
    }
    return true;
}

bool TQtSerialPort::clear()
{
    if (!isOpen())
        return false;
    if (::tcflush(handle(), TCIOFLUSH) != 0)
        return fail("tcflush", errno);
    return true;
}

TWaitResult TQtSerialPort::waitForBytes(TLineClock::time_point deadline)
{
    if (!isOpen())
        return TWaitResult::Failed;
    pollfd pfd{handle(), POLLIN, 0};
    for (;;) {
        const timespec left = untilDeadline(deadline);
        pfd.revents = 0;
        const int ready = ::ppoll(&pfd, 1, &left, nullptr);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            fail("poll", errno);
            return TWaitResult::Failed;
        }
        if (ready == 0) {
            if (TLineClock::now() < deadline)
                continue;
            return TWaitResult::TimedOut;
        }
        // A hung-up terminal (the adapter is gone, the other end of a
        // pseudo-terminal closed) reports itself here, with or without data.
        if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            fail("poll", (pfd.revents & POLLNVAL) ? EBADF : EIO);
            return TWaitResult::Failed;
        }
        return TWaitResult::Ready;
    }
}

QByteArray TQtSerialPort::readAvailable(int maxBytes)
{
    if (!isOpen() || maxBytes <= 0)
        return {};
    QByteArray out(maxBytes, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(handle(), out.data(), size_t(maxBytes));
        if (n >= 0) {
            out.truncate(qsizetype(n));
            return out;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            fail("read", errno);
        return {};
    }
}
