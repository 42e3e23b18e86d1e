#pragma once
// "Параметры СОМ порта": the port setup dialog of "СОМ порт". The port
// name (any device the system offers, or typed in) and the line settings
// the port runs with until the next exchange puts the gauge's or the
// meter's own set on it.

#include "link/port_parameters.h"

#include <QDialog>

class QComboBox;
class TTransmitter;

class TFormPortSetup final : public QDialog
{
    Q_OBJECT
public:
    TFormPortSetup(const QString &portName, const TPortParameters &settings, QWidget *parent = nullptr);

    QComboBox *cbPort;
    QComboBox *cbBaudRate;
    QComboBox *cbDataBits;
    QComboBox *cbStopBits;
    QComboBox *cbParity;
    QComboBox *cbFlowControl;

    QString PortName() const;
    // The settings given to the constructor with the chosen line settings.
    TPortParameters Settings() const;

private:
    TPortParameters m_settings;
};

// Shows the dialog for the transmitter; after OK the port takes the chosen
// name (at its next open) and line settings. False when cancelled.
bool RunPortSetupDialog(TTransmitter &transmitter);
