#include "sim_options.h"

#include "control_file.h"
#include "sim/numbered_gauges.h"

#include <QCommandLineParser>
#include <cmath>

namespace {

// An integer option within [low, high]; false with `error` otherwise.
bool integerOption(const QCommandLineParser &parser, const QString &name, long long low, long long high,
                   long long &value, QString &error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const long long v = parser.value(name).toLongLong(&ok);
    if (!ok || v < low || v > high) {
        error = QStringLiteral("--%1: expected an integer from %2 to %3, got \"%4\"")
                    .arg(name)
                    .arg(low)
                    .arg(high)
                    .arg(parser.value(name));
        return false;
    }
    value = v;
    return true;
}

bool realOption(const QCommandLineParser &parser, const QString &name, double low, double high, double &value,
                QString &error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const double v = parser.value(name).toDouble(&ok);
    if (!ok || !(v >= low && v <= high)) {
        error = QStringLiteral("--%1: expected a number from %2 to %3, got \"%4\"")
                    .arg(name)
                    .arg(low)
                    .arg(high)
                    .arg(parser.value(name));
        return false;
    }
    value = v;
    return true;
}

} // namespace

bool ParseSimToolOptions(const QStringList &arguments, TSimToolOptions &out, QString &error, QString &help)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated ТОЛМ47xИ level gauge and ЛЮМИДОР-906 current-loop meter on a pseudo-terminal.\n"
        "Prints \"PTY <path>\" on the first line of its output and serves until SIGTERM or SIGINT.\n"
        "Address, plant number, versions and device type are the factory state: a state file,\n"
        "once written by the gauge's \"write to ROM\" command, takes precedence over them."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show these options."));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("Show the version."));
    parser.addOption(versionOption);
    parser.addOptions({
        {QStringLiteral("address"), QStringLiteral("System address of the gauge, 0-255 (default 255)."),
         QStringLiteral("n")},
        {QStringLiteral("plant"), QStringLiteral("Plant number, 0-65535 (default 1)."), QStringLiteral("n")},
        {QStringLiteral("soft-version"),
         QStringLiteral("Software version, 0-255; above 1 the gauge has the extended parameters (default 2)."),
         QStringLiteral("n")},
        {QStringLiteral("device-type"), QStringLiteral("Device type, 11 or 12 (default 11)."), QStringLiteral("n")},
        {QStringLiteral("status"), QStringLiteral("Status byte of the reading answers, 0-255 (default 0)."),
         QStringLiteral("n")},
        {QStringLiteral("tank-speed"), QStringLiteral("Filling and draining speed in mm/s (default 5)."),
         QStringLiteral("mm/s")},
        {QStringLiteral("level"),
         QStringLiteral("Hold the level at mm, as a target on a test bench, instead of filling and draining."),
         QStringLiteral("mm")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the noise and of the faults (default 1)."),
         QStringLiteral("n")},
        {QStringLiteral("fault-rate"), QStringLiteral("Share of answers that go wrong, 0-1 (default 0)."),
         QStringLiteral("r")},
        {QStringLiteral("faults"),
         QStringLiteral("Fault kinds, comma-separated: no-answer, bad-crc, error, truncated, garbage, split, "
                        "wrong-address, or all (default all)."),
         QStringLiteral("list")},
        {QStringLiteral("error-code"), QStringLiteral("Code of the 0xFA error answer fault, 0-255 (default 2)."),
         QStringLiteral("n")},
        {QStringLiteral("split-pause"),
         QStringLiteral("Pause inside a split answer in ms, longer than the read interval (default 120)."),
         QStringLiteral("ms")},
        {QStringLiteral("line-timing"),
         QStringLiteral("Answers take the time their bytes need at the baud rate, plus the turnaround.")},
        {QStringLiteral("baud"), QStringLiteral("Baud rate of the line timing (default 9600)."), QStringLiteral("n")},
        {QStringLiteral("turnaround"), QStringLiteral("Think time before an answer with line timing, ms (default 5)."),
         QStringLiteral("ms")},
        {QStringLiteral("state"),
         QStringLiteral("State file: the gauge's non-volatile memory, loaded at start, written by \"write to ROM\"."),
         QStringLiteral("file")},
        {QStringLiteral("gauges"),
         QStringLiteral("Put n gauges on the line, 1-255: addresses 1 to n, plant numbers 1001 to 1000+n, each with "
                        "its own seed (seed, seed+1, ...) and tank level, and each with its own state file "
                        "(--state gauge.json gives gauge-1.json, gauge-2.json, ...); the meter measures gauge 1. "
                        "Not with --address or --plant."),
         QStringLiteral("n")},
        {QStringLiteral("control"), SimControlFileHelp(), QStringLiteral("file")},
        {QStringLiteral("verbose"), QStringLiteral("Write every exchange to stderr in hexadecimal.")},
    });
    help = parser.helpText();
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return false;
    }
    out.help = parser.isSet(helpOption);
    out.version = parser.isSet(versionOption);
    out.verbose = parser.isSet(QStringLiteral("verbose"));

    TSimGaugeConfig &gauge = out.line.gauge;
    TSimGaugeParameters &p = gauge.parameters;
    long long address = p.systemAddress, plant = p.plantNumber, soft = p.softVersion, type = p.deviceType;
    long long status = gauge.status, seed = 1, errorCode = out.line.faults.errorCode;
    long long splitPause = out.line.faults.splitPauseMs, baud = out.line.timing.baud;
    long long turnaround = out.line.timing.turnaroundMs, gauges = 0;
    double rate = 0, speed = gauge.tankSpeed, level = 0;
    if (!integerOption(parser, QStringLiteral("address"), 0, 255, address, error) ||
        !integerOption(parser, QStringLiteral("plant"), 0, 65535, plant, error) ||
        !integerOption(parser, QStringLiteral("soft-version"), 0, 255, soft, error) ||
        !integerOption(parser, QStringLiteral("device-type"), 11, 12, type, error) ||
        !integerOption(parser, QStringLiteral("status"), 0, 255, status, error) ||
        !integerOption(parser, QStringLiteral("seed"), 0, (1LL << 62), seed, error) ||
        !integerOption(parser, QStringLiteral("error-code"), 0, 255, errorCode, error) ||
        !integerOption(parser, QStringLiteral("split-pause"), 1, 10000, splitPause, error) ||
        !integerOption(parser, QStringLiteral("baud"), 50, 4000000, baud, error) ||
        !integerOption(parser, QStringLiteral("turnaround"), 0, 10000, turnaround, error) ||
        !integerOption(parser, QStringLiteral("gauges"), 1, MaxSimGauges, gauges, error) ||
        !realOption(parser, QStringLiteral("fault-rate"), 0, 1, rate, error) ||
        !realOption(parser, QStringLiteral("tank-speed"), 0, 100000, speed, error) ||
        !realOption(parser, QStringLiteral("level"), 0, 100000, level, error))
        return false;
    if (gauges > 0 && (parser.isSet(QStringLiteral("address")) || parser.isSet(QStringLiteral("plant")))) {
        error = QStringLiteral("--gauges numbers the gauges itself; --address and --plant do not go with it");
        return false;
    }
    if (parser.isSet(QStringLiteral("faults")) &&
        !ParseSimFaultList(parser.value(QStringLiteral("faults")), out.line.faults.kinds, error))
        return false;

    p.systemAddress = uint8_t(address);
    p.plantNumber = uint16_t(plant);
    p.softVersion = uint8_t(soft);
    p.softVersionHost = uint8_t(soft);
    p.deviceType = uint8_t(type);
    gauge.status = uint8_t(status);
    gauge.seed = uint64_t(seed);
    gauge.tankSpeed = speed;
    if (parser.isSet(QStringLiteral("level")))
        gauge.heldLevel = level;
    gauge.stateFile = parser.value(QStringLiteral("state"));
    out.line.faults.seed = uint64_t(seed);
    out.line.faults.rate = rate;
    out.line.faults.errorCode = uint8_t(errorCode);
    out.line.faults.splitPauseMs = int(splitPause);
    out.line.timing.enabled = parser.isSet(QStringLiteral("line-timing"));
    out.line.timing.baud = int(baud);
    out.line.timing.turnaroundMs = int(turnaround);
    if (gauges > 0)
        NumberSimGauges(out.line, int(gauges));
    out.controlFile = parser.value(QStringLiteral("control"));
    return true;
}
