#pragma once
// The command line of tolm-cli:
//   tolm-cli [--port NAME | --sim] [--modbus] [--address N] [--home DIR] [--json] VERB ...
// The common options come before the verb, the verb's own after it. An
// option's value follows as the next argument or after "=" ("--period=500").

#include <QMap>
#include <QString>
#include <QStringList>

enum TExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

struct TCliOptions {
    QString port;      // --port: serial port name instead of the one in INI/ComPort.ini
    bool sim = false;  // --sim: the built-in simulated gauge instead of a port
    bool modbus = false;
    int address = 255; // the gauge's system address
    QString home;      // program folder with "INI" and "DATA"; empty: the executable's folder
    bool json = false;
    bool help = false;
    bool version = false; // --version: the version line, nothing else
    QString verb;
    QStringList args; // after the verb
};

// arguments: without the program name. False with a one-line Russian text
// on wrong usage.
bool ParseCliOptions(const QStringList &arguments, TCliOptions &options, QString &error);

// The options of one verb: names with or without a value, and the
// positional arguments in order.
class TVerbArguments
{
public:
    // valued / flags: option names with the leading "--".
    bool Parse(const QStringList &args, const QStringList &valued, const QStringList &flags, QString &error);

    bool Has(const QString &name) const { return m_options.contains(name); }
    QString Value(const QString &name) const { return m_options.value(name); }
    const QStringList &Positional() const { return m_positional; }

    // The value of a valued option as a whole number within [lo, hi]; `out`
    // keeps its value when the option is absent. False with `error` when
    // the value is no such number.
    bool Int(const QString &name, int lo, int hi, int &out, QString &error) const;

private:
    QMap<QString, QString> m_options;
    QStringList m_positional;
};

// A whole number within [lo, hi] (decimal; "0x" hexadecimal too).
bool ParseInteger(const QString &text, qint64 lo, qint64 hi, qint64 &out);
// A number with "." or "," as decimal separator.
bool ParseNumber(const QString &text, double &out);
