#include "link/transmitter.h"

#include "app/ini_file.h"
#include "link/port_device.h"
#include "link/line_pause.h"
#include "link/qt_serial_port.h"
#include "link/timed_read.h"
#include "values/clock.h"

#include <QFileInfo>

namespace {

const QString kPortKey = QStringLiteral("Port");

} // namespace

TTransmitter::TTransmitter(const QString &programFolder, std::unique_ptr<ISerialPort> port)
    : SettingsFile(ComPortSettingsFile(programFolder))
    , PortParameters(programFolder)
{
    PortParameters.Section = QStringLiteral("Transmitter.PortParameters");
    m_io.Run([&] {
        m_port = port ? std::move(port) : std::make_unique<TQtSerialPort>();
        m_port->setPortName(QStringLiteral("COM1"));
        m_reconnect = std::make_unique<TPortReconnect>([this] { return reopenLost(); });
    });
}

TTransmitter::~TTransmitter()
{
    m_io.Run([&] {
        const std::lock_guard lock(m_portMutex);
        m_reopenLost = false;
        m_reconnect.reset();
        m_port.reset(); // closes it
    });
}

QString TTransmitter::PortName() const
{
    const std::lock_guard lock(m_portMutex);
    return m_port->portName();
}

void TTransmitter::SetPortName(const QString &name)
{
    m_io.Run([&] {
        const std::lock_guard lock(m_portMutex);
        m_port->setPortName(name);
    });
}

QString TTransmitter::LastError() const
{
    const std::lock_guard lock(m_portMutex);
    return m_lastError;
}

bool TTransmitter::LoadSettings()
{
    const TIniFile ini(SettingsFile);
    bool loaded = true;
    m_io.Run([&] {
        const std::lock_guard lock(m_portMutex);
        if (!ini.Loaded() && QFileInfo::exists(SettingsFile)) {
            m_lastError = QStringLiteral("Failed to load settings");
            loaded = false;
            return;
        }
        m_port->setPortName(ini.ReadString(Name(), kPortKey, m_port->portName()));
        PortParameters.Load(&ini);
        applyToPort(PortParameters);
    });
    return loaded;
}

bool TTransmitter::SaveSettings()
{
    const std::lock_guard lock(m_portMutex);
    TIniFile ini(SettingsFile);
    if (!ini.Loaded() && QFileInfo::exists(SettingsFile)) {
        // Writing now would replace the gauge's and the meter's sections
        // with nothing.
        m_lastError = QStringLiteral("Failed to save settings: the file could not be read");
        return false;
    }
    ini.WriteString(Name(), kPortKey, m_port->portName());
    PortParameters.Save(&ini);
    if (!ini.UpdateFile()) {
        m_lastError = QStringLiteral("Failed to save settings");
        return false;
    }
    return true;
}

bool TTransmitter::Open()
{
    QString text;
    bool opened = false;
    bool back = false;
    m_io.Run([&] {
        const std::lock_guard lock(m_portMutex);
        opened = m_port->open();
        if (opened) {
            m_reopenLost = false;
            back = m_outage.LostAt.isValid() && !m_outage.BackAt.isValid();
            if (back)
                m_outage.BackAt = Clock().Now();
            return;
        }
        m_lastError = m_port->lastError();
        const TOpenFailure failure = m_port->openFailure();
        text = OpenFailureText(m_port->portName(), failure,
                               failure == TOpenFailure::Denied ? PortDeviceGroup(m_port->portName()) : QString());
    });
    if (opened) {
        if (back)
            NotifyOutage();
        return true;
    }
    // The message is the caller's: told in its thread, after the port work.
    TMessageHandler handler;
    {
        const std::lock_guard lock(m_portMutex);
        handler = m_onErrorMessage;
    }
    if (handler)
        handler(QStringLiteral("Внимание"), text);
    return false;
}

QString TTransmitter::OpenFailureText(const QString &portName, TOpenFailure failure, const QString &group)
{
    QString text = QStringLiteral("Ошибка активации порта :") + portName;
    const QString path = PortDevicePath(portName);
    switch (failure) {
    case TOpenFailure::Denied: {
        const QString owner = group.isEmpty() ? QStringLiteral("dialout") : group;
        text += QStringLiteral("\nНет прав на порт ") + path + QStringLiteral(": добавьте пользователя в группу ") + owner +
                QStringLiteral(" командой\nsudo usermod -aG ") + owner +
                QStringLiteral(" $USER\nи войдите в систему заново");
        break;
    }
    case TOpenFailure::Missing:
        text += QStringLiteral("\nПорт ") + path +
                QStringLiteral(" не найден: подключите адаптер или выберите другой порт в \"СОМ порт\"");
        break;
    case TOpenFailure::Busy:
        text += QStringLiteral("\nПорт ") + path +
                QStringLiteral(" занят другой программой: закройте её или выберите другой порт в \"СОМ порт\"");
        break;
    case TOpenFailure::Other: break;
    }
    return text;
}

bool TTransmitter::Close()
{
    bool closed = false;
    m_io.Run([&] {
        const std::lock_guard lock(m_portMutex);
        m_reopenLost = false;
        m_port->close();
        closed = !m_port->isOpen();
    });
    return closed;
}

bool TTransmitter::IsOpen() const
{
    const std::lock_guard lock(m_portMutex);
    return m_port->isOpen();
}

TLineOutage TTransmitter::Outage() const
{
    const std::lock_guard lock(m_portMutex);
    return m_outage;
}

bool TTransmitter::noteLoss()
{
    if (m_port->isOpen())
        return false;
    m_outage = {Clock().Now(), QDateTime()};
    m_reopenLost = true;
    return true;
}

void TTransmitter::announceLoss()
{
    NotifyOutage();
    m_reconnect->Start();
}

bool TTransmitter::reopenLocked()
{
    // Quiet: the operator heard nothing when the port went and hears
    // nothing of each try; the communication window tells both.
    if (!m_port->open()) {
        m_lastError = m_port->lastError();
        return false;
    }
    m_reopenLost = false;
    m_outage.BackAt = Clock().Now();
    return true;
}

bool TTransmitter::reopenLost()
{
    {
        const std::lock_guard lock(m_portMutex);
        if (!m_reopenLost)
            return true;
        if (!reopenLocked())
            return false;
    }
    NotifyOutage();
    return true;
}

void TTransmitter::ApplyParameters(const TPortParameters &set)
{
    bool lost = false;
    m_io.Run([&] {
        const std::lock_guard lock(m_portMutex);
        const bool wasOpen = m_port->isOpen();
        applyToPort(set);
        lost = wasOpen && noteLoss();
    });
    if (lost)
        announceLoss();
}

void TTransmitter::applyToPort(const TPortParameters &set)
{
    m_applied = set;
    if (set.BaudRate != TBaudRate::Custom)
        m_port->setBaudRate(BaudRateBitsPerSecond(set.BaudRate));
    m_port->setDataBits(set.DataBits);
    m_port->setStopBits(set.StopBits);
    m_port->setParity(set.Parity);
    m_port->setFlowControl(set.FlowControl);
}

TPortParameters TTransmitter::AppliedParameters() const
{
    const std::lock_guard lock(m_portMutex);
    return m_applied;
}

void TTransmitter::SetOnErrorMessage(TMessageHandler handler)
{
    const std::lock_guard lock(m_portMutex);
    m_onErrorMessage = std::move(handler);
}

std::optional<QByteArray> TTransmitter::Exchange(TTransmitMode mode, const QByteArray &frame, int maxLength)
{
    std::optional<QByteArray> answer;
    bool back = false;
    bool lost = false;
    m_io.Run([&] {
        const std::lock_guard lock(m_portMutex);
        // An adapter pulled and put back while nothing was polling is open
        // again before the command's first exchange, not only at the next
        // tick of the tries.
        if (!m_port->isOpen() && m_reopenLost)
            back = reopenLocked();
        if (!m_port->isOpen())
            return;
        answer = exchangeOpen(mode, frame, maxLength);
        lost = noteLoss();
    });
    if (back)
        NotifyOutage();
    if (lost)
        announceLoss();
    return answer;
}

QByteArray TTransmitter::exchangeOpen(TTransmitMode mode, const QByteArray &frame, int maxLength)
{
    switch (mode) {
    case TTransmitMode::Addressed: return exchangeAddressed(frame, maxLength);
    case TTransmitMode::Plain: return exchangePlain(frame, maxLength);
    case TTransmitMode::NoParity: return exchangeNoParity(frame, maxLength);
    }
    return QByteArray();
}

QByteArray TTransmitter::exchangeAddressed(const QByteArray &frame, int maxLength)
{
    m_port->clear();
    const QByteArray answer = sendAddressed(frame) ? readAnswer(maxLength, ExpectedAnswer(TAnswerKind::Gauge, frame)) : QByteArray();
    m_port->clear();
    return answer;
}

// Nine-bit addressing: the address byte goes alone with the parity bit set
// (mark) and is drained, so it has left the UART before the parity changes;
// after the pause the rest follows with the parity bit clear (space).
bool TTransmitter::sendAddressed(const QByteArray &frame)
{
    if (!m_port->setParity(TParity::Mark) || !writeWithinTimeout(frame.left(1), true))
        return false;
    PauseAtLeast(AddressPause);
    if (frame.size() == 1)
        return true;
    return m_port->setParity(TParity::Space) && writeWithinTimeout(frame.mid(1), false);
}

QByteArray TTransmitter::exchangePlain(const QByteArray &frame, int maxLength)
{
    m_port->clear();
    const bool sent = writeWithinTimeout(frame, false);
    const QByteArray answer = sent ? readAnswer(maxLength, ExpectedAnswer(TAnswerKind::Gauge, frame)) : QByteArray();
    m_port->clear();
    return answer;
}

QByteArray TTransmitter::exchangeNoParity(const QByteArray &frame, int maxLength)
{
    if (!m_port->setParity(TParity::None))
        return {};
    m_port->clear();
    if (!writeWithinTimeout(frame, false))
        return {};
    return readAnswer(maxLength, ExpectedAnswer(TAnswerKind::Meter, frame));
}

// The write time-out of the applied set covers handing the bytes to the
// driver and, when asked, their leaving the port.
bool TTransmitter::writeWithinTimeout(const QByteArray &bytes, bool drain)
{
    const TLineClock::time_point deadline =
        TLineClock::now() + std::chrono::milliseconds(m_applied.WriteTotalTimeout(int(bytes.size())));
    return m_port->write(bytes, deadline) && (!drain || m_port->drain(deadline));
}

QByteArray TTransmitter::readAnswer(int maxLength, const TExpectedAnswer &expected)
{
    const TReadTimeouts timeouts{m_applied.ReadInterval, m_applied.ReadTotalConstant,
                                 m_applied.ReadTotalMultiplier};
    return ReadAnswer(*m_port, maxLength, timeouts, expected).bytes;
}
