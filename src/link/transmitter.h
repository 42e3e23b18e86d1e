#pragma once
// The program's one serial port: the port name and its own line parameter
// set in "INI/ComPort.ini", the three ways of sending a frame that the gauge
// and the current-loop meter need, and the Windows-style timed read.
//
// Settings file sections:
//   [Transmitter]                 Port (default "COM1"; on Linux a device
//                                 such as /dev/ttyUSB0 or ttyUSB0)
//   [Transmitter.PortParameters]  the ten keys of TPortParameters
//   [Tolm], [Lumidor]             the gauge's and the meter's sets, read by
//                                 their own TPortParameters, never written here
//
// All port work is serialised inside, so the operator's "СОМ порт" (close,
// reopen) can never pull the port from under an exchange of the request
// thread; it waits for that exchange to end.
//
// A port whose device vanishes while it is open (the port closes itself on
// the failing operation) is lost: OnOutage is told, and the port is opened
// again quietly, without the operator's message, as soon as the device is
// back under the same name (TPortReconnect), or before the next exchange,
// whichever comes first. The operator's Close ends the waiting; Open ends it
// too.
//
// The port lives in a thread of its own (TPortThread): it is made, used,
// closed, reopened and deleted only there; every public member may be
// called from any thread and hands its port work over. The operator's
// messages are told in the calling thread.

#include "protocol/answer_layout.h"
#include "link/line.h"
#include "link/port_parameters.h"
#include "link/port_reconnect.h"
#include "link/port_thread.h"
#include "link/serial_port.h"

#include <QString>

#include <functional>
#include <memory>
#include <mutex>

class TTransmitter final : public TLine
{
public:
    // caption, text: an error message for the operator (the user interface
    // shows it as a message box with the error icon).
    using TMessageHandler = std::function<void(const QString &caption, const QString &text)>;

    // SettingsFile is programFolder + "INI/ComPort.ini". Without a port the
    // real serial port (Qt SerialPort) is used.
    explicit TTransmitter(const QString &programFolder, std::unique_ptr<ISerialPort> port = nullptr);
    ~TTransmitter() override;

    TTransmitter(const TTransmitter &) = delete;
    TTransmitter &operator=(const TTransmitter &) = delete;

    // The component name, and the settings section of the port name.
    static QString Name() { return QStringLiteral("Transmitter"); }

    QString SettingsFile;
    // The port's own set; Section "Transmitter.PortParameters".
    TPortParameters PortParameters;

    QString PortName() const override;
    // Takes effect at the next Open.
    void SetPortName(const QString &name);

    // Reads "Port" (default: the present name) and PortParameters from
    // SettingsFile and puts them on the port. False with LastError()
    // "Failed to load settings" when the file exists but cannot be read;
    // a missing file keeps everything as it is.
    bool LoadSettings();
    // Writes "Port" and PortParameters into SettingsFile, keeping every other
    // section. False when the file cannot be written, or exists but could
    // not be read (it is then left untouched rather than overwritten).
    bool SaveSettings();
    QString LastError() const;

    // Opens the port. On failure the operator gets "Внимание" /
    // OpenFailureText, and the result is false.
    bool Open();
    // "Ошибка активации порта :" + the port name; then, when this user may
    // not use the device, the group that may (`group`, "dialout" when not
    // known) and the command that adds the user to it, or, when there is no
    // such device, that it is not there.
    static QString OpenFailureText(const QString &portName, TOpenFailure failure, const QString &group = {});
    // Closes the port; false only when it is still open afterwards.
    bool Close();
    bool IsOpen() const;
    TLineOutage Outage() const override;

    // Puts the set's speed, data bits, stop bits, parity and flow control on
    // the port ("Custom" speed or flow control leaves the port's own) and
    // makes its time-outs those of the following reads.
    void ApplyParameters(const TPortParameters &set) override;
    TPortParameters AppliedParameters() const override;

    void SetOnErrorMessage(TMessageHandler handler);

protected:
    std::optional<QByteArray> Exchange(TTransmitMode mode, const QByteArray &frame, int maxLength) override;

private:
    QByteArray exchangeOpen(TTransmitMode mode, const QByteArray &frame, int maxLength);
    QByteArray exchangeAddressed(const QByteArray &frame, int maxLength);
    bool sendAddressed(const QByteArray &frame);
    QByteArray exchangePlain(const QByteArray &frame, int maxLength);
    QByteArray exchangeNoParity(const QByteArray &frame, int maxLength);
    bool writeWithinTimeout(const QByteArray &bytes, bool drain);
    QByteArray readAnswer(int maxLength, const TExpectedAnswer &expected);
    void applyToPort(const TPortParameters &set);
    // Under the port lock, after work on a port that was open: whether the
    // port closed itself on the way; if so it is recorded as lost.
    bool noteLoss();
    void announceLoss();
    // The reconnect's try: true when nothing is left to try.
    bool reopenLost();
    // Under the port lock, in the port thread: true when the lost port is
    // open again.
    bool reopenLocked();

    TPortThread m_io; // first made, last gone
    mutable std::mutex m_portMutex;
    std::unique_ptr<ISerialPort> m_port;
    TPortParameters m_applied;
    QString m_lastError;
    TMessageHandler m_onErrorMessage;
    TLineOutage m_outage;
    bool m_reopenLost = false; // lost and not yet open again, nor taken over by the operator
    std::unique_ptr<TPortReconnect> m_reconnect; // ticks in the port thread
};
