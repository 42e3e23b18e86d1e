#include "ui/dialogs/form_port_setup.h"

#include "link/port_enums.h"
#include "link/transmitter.h"
#include "ui/dialogs/dialog_frame.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {

// Wide enough for a device path such as "ttyUSB0" or "COM10".
constexpr int MinimumPortFieldWidth = 130;

QComboBox *choice(QWidget *parent, const char *name, const QStringList &texts, const QString &current)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimumWidth(MinimumPortFieldWidth);
    box->addItems(texts);
    box->setCurrentIndex(std::max(0, int(texts.indexOf(current))));
    return box;
}

} // namespace

QList<TPortChoice> PresentPorts()
{
    QList<TPortChoice> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.description(), info.manufacturer(), info.serialNumber()});
    return ports;
}

TFormPortSetup::TFormPortSetup(const QString &portName, const TPortParameters &settings,
                               const QList<TPortChoice> &ports, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_inUse(portName), m_ports(ports)
{
    setObjectName(QStringLiteral("FormPortSetup"));
    setWindowTitle(QStringLiteral("Параметры СОМ порта"));

    cbPort = new QComboBox(this);
    cbPort->setObjectName(QStringLiteral("cbPort"));
    cbPort->setEditable(true);
    cbPort->setMinimumWidth(MinimumPortFieldWidth);
    for (const TPortChoice &port : ports)
        cbPort->addItem(port.Name);
    cbPort->setCurrentText(portName);
    lblPortInfo = new QLabel(this);
    lblPortInfo->setObjectName(QStringLiteral("lblPortInfo"));
    lblPortInfo->setWordWrap(true);
    lblPortInfo->setMinimumWidth(2 * MinimumPortFieldWidth); // an adapter's description and maker on one line
    connect(cbPort, &QComboBox::currentTextChanged, this, &TFormPortSetup::showPortInfo);
    showPortInfo(portName);
    cbBaudRate = choice(this, "cbBaudRate", BaudRateTexts(), BaudRateToText(settings.BaudRate));
    cbDataBits = choice(this, "cbDataBits", DataBitsTexts(), DataBitsToText(settings.DataBits));
    cbStopBits = choice(this, "cbStopBits", StopBitsTexts(), StopBitsToText(settings.StopBits));
    cbParity = choice(this, "cbParity", ParityTexts(), ParityToText(settings.Parity));
    cbFlowControl = choice(this, "cbFlowControl", FlowControlTexts(), FlowControlToText(settings.FlowControl));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("СОМ порт:"), cbPort);
    form->addRow(QString(), lblPortInfo);
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

void TFormPortSetup::showPortInfo(const QString &name)
{
    QStringList facts;
    const QString chosen = name.trimmed();
    const auto present = std::find_if(m_ports.begin(), m_ports.end(),
                                      [&](const TPortChoice &port) { return port.Name == chosen; });
    if (present == m_ports.end()) {
        facts.append(QStringLiteral("нет в системе"));
    } else {
        for (const QString &fact : {present->Description, present->Manufacturer})
            if (!fact.isEmpty())
                facts.append(fact);
        if (!present->SerialNumber.isEmpty())
            facts.append(QStringLiteral("S/N ") + present->SerialNumber);
    }
    if (chosen == m_inUse)
        facts.append(QStringLiteral("используется"));
    lblPortInfo->setText(facts.join(QStringLiteral(", ")));
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
    TFormPortSetup dialog(transmitter.PortName(), transmitter.AppliedParameters(), PresentPorts());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (!dialog.PortName().isEmpty())
        transmitter.SetPortName(dialog.PortName());
    // Only the port name is kept: each exchange puts the device's own line
    // settings on the port, and "Transmitter.PortParameters" keeps its values.
    transmitter.ApplyParameters(dialog.Settings());
    return true;
}
