#pragma once
// "Считать все параметры" and "Записать все параметры ": the reads and
// writes of the parameters one after the other, each as its own read or
// write action runs it. Which of them belong to a run depends on the gauge
// (the extended parameters of a software version above 1) and on full
// mode; each condition is looked at when its step comes, so the signature
// read at the start decides for the rest of the same run. A failing step
// shows its own message and the run goes on.

#include "device/parameter_table.h"

#include <QString>

#include <span>

struct TProcedureContext;

using TStepCondition = TParameterCondition;

// One parameter (the bad zones: the five zones together) and when it is a
// step.
struct TParameterStep {
    const TParameter *Parameter;
    TStepCondition When;
};

// The parameters of the all-parameters commands that have a read (write)
// action of their own, in the order of the parameter table; the read
// starts with the signature read besides.
std::span<const TParameterStep> AllParametersReadSteps();
std::span<const TParameterStep> AllParametersWriteSteps();

// The signature read, the read steps, then a refresh.
void ReadAllParameters(const TProcedureContext &context, const QString &hint);
// The write steps with the store into ROM held back, then a refresh and
// "Записать в ПЗУ" once.
void WriteAllParameters(const TProcedureContext &context, const QString &hint);
