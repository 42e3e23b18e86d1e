// Start-up of the whole program: from starting the tolm47x process with
// "/sim" (the simulated gauge on the line, the usual INI folder beside the
// executable, the start folder its own folder, as `make run` starts it) to
// its main window on screen, with the readings, communication and
// poll-selection windows open. The program prints "shown" once the window
// is up when TOLM47X_EXIT_WHEN_SHOWN is set, and then ends; the time until
// that line arrives is the figure (manual time), the program's own count
// since main() is reported beside it as "in_main_ms". Offscreen platform,
// so no display is needed and none is measured.

#include "core_bench_main.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace {

void BM_StartupToMainWindow(benchmark::State &state)
{
    const QString program = QStringLiteral(TOLM47X_BINARY);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TOLM47X_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    double inMainMs = 0;
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QFileInfo(program).absolutePath());
        process.setProcessChannelMode(QProcess::SeparateChannels);
        QElapsedTimer elapsed;
        elapsed.start();
        process.start(program, {QStringLiteral("/sim")});
        QByteArray output;
        while (!output.contains('\n') && process.waitForReadyRead(10000))
            output += process.readAllStandardOutput();
        const double seconds = elapsed.nsecsElapsed() / 1e9;
        if (!output.startsWith("shown ")) {
            state.SkipWithError("tolm47x did not show its main window");
            process.kill();
            process.waitForFinished();
            break;
        }
        state.SetIterationTime(seconds);
        inMainMs += output.mid(6).trimmed().toDouble();
        process.waitForFinished(10000);
    }
    state.counters["in_main_ms"] = benchmark::Counter(inMainMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StartupToMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    return RunCoreBenchmarks(argc, argv);
}
