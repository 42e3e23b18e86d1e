#include "ui/dialogs/form_port_setup.h"

#include "link/port_enums.h"
#include "link/transmitter.h"
#include "ui/dialogs/dialog_frame.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {

// Wide enough for a device path such as "ttyUSB0" or "COM10".
constexpr int MinimumFieldWidth = 130;

QComboBox *choice(QWidget *parent, const char *name, const QStringList &texts, const QString &current)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimumWidth(MinimumFieldWidth);
    box->addItems(texts);
    box->setCurrentIndex(std::max(0, int(texts.indexOf(current))));
    return box;
}

} // namespace

TFormPortSetup::TFormPortSetup(const QString &portName, const TPortParameters &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("FormPortSetup"));
    setWindowTitle(QStringLiteral("Параметры СОМ порта"));

    cbPort = new QComboBox(this);
    cbPort->setObjectName(QStringLiteral("cbPort"));
    cbPort->setEditable(true);
    cbPort->setMinimumWidth(MinimumFieldWidth);
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        cbPort->addItem(info.portName());
    cbPort->setCurrentText(portName);
    cbBaudRate = choice(this, "cbBaudRate", BaudRateTexts(), BaudRateToText(settings.BaudRate));
    cbDataBits = choice(this, "cbDataBits", DataBitsTexts(), DataBitsToText(settings.DataBits));
    cbStopBits = choice(this, "cbStopBits", StopBitsTexts(), StopBitsToText(settings.StopBits));
    cbParity = choice(this, "cbParity", ParityTexts(), ParityToText(settings.Parity));
    cbFlowControl = choice(this, "cbFlowControl", FlowControlTexts(), FlowControlToText(settings.FlowControl));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("СОМ порт:"), cbPort);
    form->addRow(QStringLiteral("Скорость:"), cbBaudRate);
    form->addRow(QStringLiteral("Кол-во бит данных:"), cbDataBits);
    form->addRow(QStringLiteral("Стоп бит:"), cbStopBits);
    form->addRow(QStringLiteral("Бит четности:"), cbParity);
    form->addRow(QStringLiteral("Контроль четности:"), cbFlowControl);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton *ok = AddOkButton(*this);
    QPushButton *cancel = AddCancelButton(*this);
    ok->setMinimumWidth(ButtonWidth(*ok));
    cancel->setMinimumWidth(ButtonWidth(*cancel));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    FixAndCentre(*this, sizeHint());
}

QString TFormPortSetup::PortName() const
{
    return cbPort->currentText().trimmed();
}

TPortParameters TFormPortSetup::Settings() const
{
    TPortParameters chosen = m_settings;
    TextToBaudRate(cbBaudRate->currentText(), chosen.BaudRate);
    TextToDataBits(cbDataBits->currentText(), chosen.DataBits);
    TextToStopBits(cbStopBits->currentText(), chosen.StopBits);
    TextToParity(cbParity->currentText(), chosen.Parity);
    TextToFlowControl(cbFlowControl->currentText(), chosen.FlowControl);
    return chosen;
}

bool RunPortSetupDialog(TTransmitter &transmitter)
{
    TFormPortSetup dialog(transmitter.PortName(), transmitter.AppliedParameters());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!dialog.PortName().isEmpty())
        transmitter.SetPortName(dialog.PortName());
    // Only the port name is kept: each exchange puts the device's own line
    // settings on the port, and "Transmitter.PortParameters" keeps its values.
    transmitter.ApplyParameters(dialog.Settings());
    return true;
}
