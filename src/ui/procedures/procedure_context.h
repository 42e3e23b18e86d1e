#pragma once
// What a composite command of the main window works with: the main window
// itself (other actions by name, the refresh of the views), the gauge
// through the commands with retries, the operator, and the program's flags.
// Made by the main window for each command; every member outlives it.

#include "app/app_context.h"
#include "session/command_sender.h"

#include <QString>

class TMainServices;
class TOperator;
class Ttolm472;

struct TProcedureContext {
    TMainServices &Services;
    TCommandSender &Sender;
    TOperator &Op;
    TAppFlags &Flags;
    // Folder of the program file: the parameter sets live below it.
    QString ProgramFolder;

    Ttolm472 &Model() const { return Sender.Model(); }
};
