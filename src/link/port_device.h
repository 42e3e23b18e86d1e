#pragma once
// The device file behind a serial port's name, and who may open it: what
// the engineer needs to hear when a USB adapter cannot be opened.

#include <QString>

// "ttyUSB0" -> "/dev/ttyUSB0"; a full path stays as it is.
QString PortDevicePath(const QString &portName);
bool PortDeviceExists(const QString &portName);
// The group that owns the device file ("dialout" on Debian); empty when
// the file or its group cannot be found.
QString PortDeviceGroup(const QString &portName);
