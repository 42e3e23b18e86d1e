#pragma once
// The real serial port: Qt SerialPort opens the device (lock file, exclusive
// use, raw mode) and sets the line (speed, data bits, stop bits, flow
// control, and mark and space parity through CMSPAR on Linux); the bytes go
// through the device's own handle, so the read has its own timers and the
// handle's own errors tell a vanished adapter from a quiet line.
//
// Qt's read notification is switched off right after opening: otherwise the
// event loop of the opening thread would take answer bytes away from an
// exchange running in the request thread. The QSerialPort object exists only
// while the port is open and is made by the thread that opens it, so its
// notifier always belongs to that thread.

#include "link/serial_port.h"

#include <memory>

class QSerialPort;

class TQtSerialPort final : public ISerialPort
{
public:
    TQtSerialPort();
    ~TQtSerialPort() override;

    void setPortName(const QString &name) override;
    QString portName() const override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    QString lastError() const override;
    TOpenFailure openFailure() const override { return m_openFailure; }

    bool setBaudRate(int bitsPerSecond) override;
    bool setDataBits(TDataBits dataBits) override;
    bool setStopBits(TStopBits stopBits) override;
    bool setParity(TParity parity) override;
    bool setFlowControl(TFlowControl flowControl) override;

    bool write(const QByteArray &bytes, TLineClock::time_point deadline) override;
    bool drain(TLineClock::time_point deadline) override;
    bool clear() override;
    TWaitResult waitForBytes(TLineClock::time_point deadline) override;
    QByteArray readAvailable(int maxBytes) override;

    // The device's handle while open, -1 otherwise (the tests read its
    // terminal settings).
    int handle() const;

private:
    bool configureOpenPort();
    bool stopInputParityChecks();
    // A failed system call: closes the port when the error says the device
    // is gone. Always false, for `return fail(...)`.
    bool fail(const char *operation, int error);
    // A failed QSerialPort setter.
    bool failSetting(const char *operation);

    QString m_portName;
    QString m_lastError;
    TOpenFailure m_openFailure = TOpenFailure::Other;
    int m_baudRate = 9600;
    TDataBits m_dataBits = TDataBits::db8;
    TStopBits m_stopBits = TStopBits::sb1;
    TParity m_parity = TParity::None;
    TFlowControl m_flowControl = TFlowControl::None;
    std::unique_ptr<QSerialPort> m_port;
};
