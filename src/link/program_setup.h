#pragma once
// The pieces of the start-up that the program and the command-line tool
// share, so the gauge looks the same to both: the gauge model's identity
// and failure threshold, and the built-in simulated line ("/sim") of a
// program folder.

#include "sim/sim_line.h"

#include <QString>

class Ttolm472;

// Component name "Tolm471" (the section of the parameter sets), ErrorMax 1
// (a single refused answer shows in the status), and "ТОЛМ471И" as the
// title and hint of its description: the gauge's name in the device list.
void SetUpProgramGauge(Ttolm472 &model);

// The simulated gauge and meter as the program folder configures them: the
// gauge's line speed from the "Tolm" section of "INI/ComPort.ini" (9600
// when it names none), line timing on, the gauge's parity bit unless
// `modbus`, no faults. The simulated gauge keeps what is stored into its
// ПЗУ in "INI/SimGauge.json", so a later run finds it; not when the
// installation has no INI folder (nothing is created there).
TSimLineConfig ProgramSimLineConfig(const QString &programFolder, bool modbus);
