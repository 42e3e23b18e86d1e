#pragma once
// One run of tolm-cli: the command line in, the exit status out (0 done,
// 1 a command failed, 2 wrong usage), results on `out`. The caller owns the
// application object (QCoreApplication) and runs this in its main thread.

#include <QStringList>

class TCliOutput;
struct TCliEnvironment;

// arguments: without the program name.
int RunCli(const QStringList &arguments, const TCliEnvironment &environment, TCliOutput &out);
// The text of --help.
QString CliHelpText();
