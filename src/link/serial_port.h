#pragma once
// The serial port as the transmitter needs it: blocking operations with
// deadlines on the monotonic clock, one port, one caller at a time.
//
// The real port (TQtSerialPort) and the recording double of the tests
// implement it. A pseudo-terminal silently drops the parity bit, so the
// order of parity changes, writes and drains can only be checked on the
// double; the real port is checked for its configuration.
//
// Contract for every implementation:
//  - line settings given while the port is closed are kept and take effect
//    when it opens; on an open port they take effect at once, a parity
//    change for the next byte written;
//  - received bytes are never parity-checked: a byte arrives unchanged
//    whatever its parity bit;
//  - when the device behind an open port is gone (a USB adapter pulled out)
//    the failing operation closes the port: isOpen() turns false and
//    lastError() says why; closing and opening again recovers.

#include "link/byte_receiver.h"
#include "link/port_enums.h"

#include <QByteArray>
#include <QString>

// Why an open failed, where the port can tell.
// Busy: another program holds the port (its lock or an exclusive open).
enum class TOpenFailure { Other, Denied, Missing, Busy };

class ISerialPort : public IByteReceiver
{
public:
    // Takes effect at the next open. On Linux a bare name such as "ttyUSB0"
    // means "/dev/ttyUSB0"; a full path works too.
    virtual void setPortName(const QString &name) = 0;
    virtual QString portName() const = 0;
    virtual bool open() = 0;
    virtual void close() = 0;
    // Text of the last failure, for the exchange log and the tests.
    virtual QString lastError() const = 0;
    // Why the last open failed, where the port can tell: this user may not
    // read and write the device (on Linux: not in the group that owns it),
    // or there is no such device.
    virtual TOpenFailure openFailure() const { return TOpenFailure::Other; }

    virtual bool setBaudRate(int bitsPerSecond) = 0;
    virtual bool setDataBits(TDataBits dataBits) = 0;
    virtual bool setStopBits(TStopBits stopBits) = 0;
    virtual bool setParity(TParity parity) = 0;
    virtual bool setFlowControl(TFlowControl flowControl) = 0;

    // Hands every byte to the driver; false when that does not happen by the
    // deadline or the port fails.
    virtual bool write(const QByteArray &bytes, TLineClock::time_point deadline) = 0;
    // Returns when the bytes written have left the port (the UART's shift
    // register included); false when that does not happen by the deadline.
    virtual bool drain(TLineClock::time_point deadline) = 0;
    // Discards pending bytes in both directions.
    virtual bool clear() = 0;
};
