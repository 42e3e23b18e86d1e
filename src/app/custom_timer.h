#pragma once
// A periodic timer whose enabled state and interval persist in
// "INI/Timer.ini" under the start folder, in the section named after the
// timer's component name ("ctReqDevices" for the polling, "ctAvtoReadSignal"
// for the automatic signal reading). Ticks arrive as QTimer::timeout in the
// thread that owns the timer.

#include <QString>
#include <QTimer>

class TCustomTimer : public QTimer
{
    Q_OBJECT
public:
    static constexpr int kDefaultInterval = 200;

    // Component name "CustomTimer", 200 ms, disabled.
    explicit TCustomTimer(QObject *parent = nullptr);

    QString Name() const { return objectName(); }
    void SetName(const QString &name) { setObjectName(name); }
    // The settings file: "Timer.ini" in the "INI" folder of the start folder
    // (an absolute name is taken as it is).
    const QString &FileName() const { return m_fileName; }
    void SetFileName(const QString &name);
    QString SettingsPath() const;

    int Interval() const { return interval(); }
    // An interval below 1 ms is refused: the timer would tick without pause.
    void SetInterval(int ms);
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    // Creates the settings file when it is missing, then takes "Enabled" and
    // "Interval" from the timer's section (defaults: disabled, 200 ms).
    void Load();
    // Writes "Enabled" and "Interval"; false when the file cannot be written.
    bool Save() const;

    // Enable or disable, then OnStateChange.
    void Start();
    void Stop();
    // Enabled := not paused, without OnStateChange (around one polling pass).
    void Pause(bool paused);
    bool IsEnabled() const { return isActive(); }

signals:
    void OnStateChange(TCustomTimer *sender);
    // Whenever the timer starts or stops ticking (Start, Stop, Pause, Load)
    // and when its interval changes while it ticks.
    void OnRunning(bool running, int intervalMs);

private:
    void setEnabled(bool enabled);

    QString m_fileName = QStringLiteral("Timer.ini");
    int m_tag = 0;
};
