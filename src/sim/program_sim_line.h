#pragma once
// The built-in simulated line of a program folder ("/sim" of the program,
// "--sim" of the command-line tool): the start-up code of each program
// picks it instead of the serial port.

#include "sim/sim_line.h"

#include <QString>

// The simulated gauge and meter as the program folder configures them: the
// gauge's line speed from the "Tolm" section of "INI/ComPort.ini" (9600
// when it names none), line timing on, the gauge's parity bit unless
// `modbus`, no faults. The simulated gauge keeps what is stored into its
// ПЗУ in "INI/SimGauge.json", so a later run finds it; not when the
// installation has no INI folder (nothing is created there).
//
// "Gauges=N" in section "Sim" of "INI/ComPort.ini" (N 1 .. 255) puts N
// gauges on the pair instead, at addresses 1 .. N with plant numbers
// 1001 .. 1000 + N, each with its own "INI/SimGauge-n.json"; a missing or
// out-of-range value leaves the single gauge at address 255.
TSimLineConfig ProgramSimLineConfig(const QString &programFolder, bool modbus);
