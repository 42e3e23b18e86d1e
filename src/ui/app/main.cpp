// tolm47x: the service program for ТОЛМ47xИ radar level gauges.
//
//   tolm47x [/full] [/lumidor] [/modbus] [/sim]
//   tolm47x --version
//
// The start folder (the current directory) holds the timers and window
// positions in its "INI" folder; the port and archive settings are read from
// the "INI" folder of the program folder: beside the executable, or for an
// installed copy in the user's data folder, which is then the start folder
// too. With TOLM47X_EXIT_WHEN_SHOWN set
// in the environment the program prints "shown" and the milliseconds since
// its start once the main window is on screen, and ends: the start-up
// benchmark measures with it.

#include "app/app_context.h"
#include "app/build_info.h"
#include "sim/program_sim_line.h"
#include "sim/simulated_line.h"
#include "ui/main/form_main.h"
#include "ui/main/program.h"
#include "ui/main/qt_translations.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    // Answered before any window: also where there is no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        const QCoreApplication core(argc, argv);
        std::printf("%s\nПапка программы: %s\n", qPrintable(VersionLine(QStringLiteral("tolm47x"))),
                    qPrintable(QDir::toNativeSeparators(TAppContext::FromApplication().ProgramFolder())));
        return 0;
    }
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolm47x"));
    QApplication::setApplicationVersion(ProgramVersion());
    InstallQtTranslations(app);
    SetAppContext(TAppContext::FromApplication());
    // An installed copy starts in its program folder, so the exchange log
    // and the timers land there and not wherever it was started from.
    QDir::setCurrent(AppContext().StartFolder());

    // "/sim" puts the simulated gauge and meter on the line instead of the port.
    const TAppContext &context = AppContext();
    TProgram::TLineFactory simulated;
    if (context.Flags.SimMode)
        simulated = [&context] {
            return std::make_unique<TSimulatedLine>(
                ProgramSimLineConfig(context.ProgramFolder(), context.Flags.ModbusMode));
        };
    TProgram program(simulated);
    TFormMain form(program);
    form.show();
    if (qEnvironmentVariableIsSet("TOLM47X_EXIT_WHEN_SHOWN")) {
        QTimer::singleShot(0, &app, [&] {
            std::printf("shown %lld\n", static_cast<long long>(sinceStart.elapsed()));
            std::fflush(stdout);
            QCoreApplication::exit(0); // without the closing question
        });
    }
    return QApplication::exec();
}
