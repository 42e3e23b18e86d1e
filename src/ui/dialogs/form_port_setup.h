#pragma once
// "Параметры СОМ порта": the port setup dialog of "СОМ порт". The port
// name (any device the system offers, or typed in) and the line settings
// the port runs with until the next exchange puts the gauge's or the
// meter's own set on it. Under the name stands what the system knows of
// that port (a USB adapter's description, maker and serial number), so an
// engineer with several adapters plugged in finds the right one.

#include "link/port_parameters.h"

#include <QDialog>

class QComboBox;
class QLabel;
class TTransmitter;

// A port the system offers.
struct TPortChoice {
    QString Name; // "ttyUSB0"
    QString Description;
    QString Manufacturer;
    QString SerialNumber;
};
// The ports present now.
QList<TPortChoice> PresentPorts();

class TFormPortSetup final : public QDialog
{
    Q_OBJECT
public:
    // `ports`: those to offer; `portName`, the one in use, stays chosen
    // also when it is not among them.
    TFormPortSetup(const QString &portName, const TPortParameters &settings, const QList<TPortChoice> &ports,
                   QWidget *parent = nullptr);

    QComboBox *cbPort;
    QLabel *lblPortInfo;
    QComboBox *cbBaudRate;
    QComboBox *cbDataBits;
    QComboBox *cbStopBits;
    QComboBox *cbParity;
    QComboBox *cbFlowControl;

    QString PortName() const;
    // The settings given to the constructor with the chosen line settings.
    TPortParameters Settings() const;

private:
    void showPortInfo(const QString &name);

    TPortParameters m_settings;
    QString m_inUse;
    QList<TPortChoice> m_ports;
};

// Shows the dialog for the transmitter; after OK the port takes the chosen
// name (at its next open) and line settings. False when cancelled.
bool RunPortSetupDialog(TTransmitter &transmitter);
