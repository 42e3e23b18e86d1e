#pragma once
// What a composite gauge procedure works with: the gauge through the
// commands with retries (and the operator that sender reports to), the
// program's windows, full mode, and the program's folder (the parameter
// sets live below it). The program makes one for each procedure it starts
// on the runner, with the operator and the windows handed over to the
// user-interface thread; tests run procedures in their own thread with a
// script. Every member outlives it.
//
// A procedure on the worker touches the model only through
// Sender.OnModel / Sender.FromModel.

#include "session/command_sender.h"
#include "session/gauge_views.h"

#include <QString>

class TOperator;

struct TProcedureContext {
    TCommandSender &Sender;
    TGaugeViews &Views;
    bool FullMode = false;
    QString ProgramFolder;

    TOperator &Op() const { return Sender.Op(); }
};
