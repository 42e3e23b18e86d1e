#pragma once
// Command line of tolm-sim.

#include "sim/sim_line.h"

#include <QString>
#include <QStringList>

struct TSimToolOptions
{
    TSimLineConfig line;
    QString controlFile; // empty: no control file
    bool verbose = false;
    bool help = false;
    bool version = false;
};

// Parses the arguments (program name first). False with `error` for an
// unknown option or a value out of range. `help` receives the text of --help.
bool ParseSimToolOptions(const QStringList &arguments, TSimToolOptions &out, QString &error, QString &help);
