// tolm-cli: the service program's core without a display, for test
// benches, scripts and service laptops.

#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "cli/cli_session.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    TCliEnvironment environment;
    environment.executableFolder = QCoreApplication::applicationDirPath();
    TStdOutput out;
    return RunCli(app.arguments().mid(1), environment, out);
}
