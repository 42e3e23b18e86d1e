// tolm-sim: the simulated gauge and current-loop meter on a pseudo-terminal,
// so that the service program's real serial code can be run against them.

#include "app/build_info.h"
#include "control_file.h"
#include "pty_server.h"
#include "sim/sim_line.h"
#include "sim_options.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <optional>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onStopSignal(int)
{
    g_stop = 1;
}

void installStopHandlers()
{
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a blocked poll returns at once
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// What each gauge found in its state file and where it answers.
void reportGauges(const TSimGaugeBus &gauges)
{
    for (int i = 0; i < gauges.count(); ++i) {
        const TSimGauge &gauge = gauges.gauge(i);
        if (gauge.stateLoad() == TSimStateLoad::Corrupt)
            std::fprintf(stderr, "tolm-sim: state file refused, factory state used: %s\n",
                         qPrintable(gauge.stateError()));
        else if (gauge.stateLoad() == TSimStateLoad::Loaded)
            std::fprintf(stderr, "tolm-sim: state loaded from %s\n", qPrintable(gauge.stateFile()));
        std::fprintf(stderr, "tolm-sim: gauge at address %d, plant number %d\n", gauge.address(),
                     gauge.parameters().plantNumber);
    }
    std::fflush(stderr);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolm-sim"));

    TSimToolOptions options;
    QString error, help;
    if (!ParseSimToolOptions(QCoreApplication::arguments(), options, error, help)) {
        std::fprintf(stderr, "tolm-sim: %s\nTry tolm-sim --help.\n", qPrintable(error));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s\n", qPrintable(VersionLine(QStringLiteral("tolm-sim"))));
        return 0;
    }

    installStopHandlers();
    TPtyServer server;
    if (!server.open(error)) {
        std::fprintf(stderr, "tolm-sim: cannot open a pseudo-terminal: %s\n", qPrintable(error));
        return 1;
    }
    TSimLine line(options.line);
    std::printf("PTY %s\n", qPrintable(server.portName()));
    std::fflush(stdout);
    reportGauges(line.gauges());

    std::optional<TSimControlFile> control;
    if (!options.controlFile.isEmpty()) {
        control.emplace(options.controlFile);
        server.setBeforeRequest([&control](TSimLine &l) {
            QString why;
            if (!control->refresh(l.gauges(), why)) {
                std::fprintf(stderr, "tolm-sim: control file ignored: %s\n", qPrintable(why));
                std::fflush(stderr);
            }
        });
    }

    server.serve(line, g_stop, options.verbose);
    return 0;
}
