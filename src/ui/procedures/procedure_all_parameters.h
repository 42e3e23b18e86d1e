#pragma once
// "Считать все параметры" and "Записать все параметры ": the main window's
// single reads and writes, run by name one after the other. Which of them
// belong to a run depends on the gauge (the extended parameters of a
// software version above 1) and on full mode; each condition is looked at
// when its step comes, so the signature read at the start decides for the
// rest of the same run. A failing step shows its own message and the run
// goes on.

#include "app/app_context.h"
#include "device/parameter_table.h"

#include <QString>

#include <span>

struct TProcedureContext;

using TStepCondition = TParameterCondition;

struct TActionStep {
    QString Action; // the main window's action name
    TStepCondition When;
};

// The signature read, then the read of each parameter the parameter table
// makes a step; the writes of the same parameters.
std::span<const TActionStep> AllParametersReadSteps();
std::span<const TActionStep> AllParametersWriteSteps();

// The read steps, then a refresh.
void ReadAllParameters(const TProcedureContext &context, const QString &hint);
// The write steps with the store into ROM held back, then a refresh and
// "Записать в ПЗУ" once.
void WriteAllParameters(const TProcedureContext &context, const QString &hint);
