#include "session/procedures/procedure_all_parameters.h"

#include "device/tolm472.h"
#include "session/procedures/procedure_commands.h"
#include "session/procedures/procedure_context.h"
#include "session/procedures/procedure_device_info.h"
#include "session/register_records.h"

#include <vector>

namespace {

// The parameters whose command (read or write) exists; the zones of a group
// share their group's command and are one step.
std::vector<TParameterStep> parameterSteps(QString (*commandOf)(const TParameter &))
{
    std::vector<TParameterStep> steps;
    QString previous;
    for (const TParameter &parameter : ParameterTable()) {
        const QString command = commandOf(parameter);
        if (parameter.AllParameters == TParameterCondition::Never || command.isEmpty() || command == previous)
            continue;
        steps.push_back({&parameter, parameter.AllParameters});
        previous = command;
    }
    return steps;
}

template <typename Step>
void runSteps(const TProcedureContext &context, std::span<const TParameterStep> steps, Step step)
{
    for (const TParameterStep &each : steps) {
        const bool holds = context.Sender.FromModel(
            [&](const Ttolm472 &model) { return ConditionHolds(each.When, model, context.FullMode); });
        if (holds)
            step(*each.Parameter);
    }
}

} // namespace

std::span<const TParameterStep> AllParametersReadSteps()
{
    static const std::vector<TParameterStep> steps = parameterSteps(ReadCommandName);
    return steps;
}

std::span<const TParameterStep> AllParametersWriteSteps()
{
    static const std::vector<TParameterStep> steps = parameterSteps(WriteCommandName);
    return steps;
}

void ReadAllParameters(const TProcedureContext &context, const QString &)
{
    // The signature first: it tells whether the gauge has the extended
    // parameters.
    ReadSignature(context, QString::fromUtf8(SignatureReadHint));
    runSteps(context, AllParametersReadSteps(), [&](const TParameter &parameter) { ReadParameter(context, parameter); });
    context.Views.UpdateAllViews();
}

void WriteAllParameters(const TProcedureContext &context, const QString &)
{
    runSteps(context, AllParametersWriteSteps(),
             [&](const TParameter &parameter) { WriteParameterValue(context, parameter, TRomStore::HeldBack); });
    context.Views.UpdateAllViews();
    WriteToRom(context);
    RecordInRegister(context, [](const Ttolm472 &model) {
        return ModelConfigurationRecord(model, QStringLiteral("Записать все параметры "));
    });
}
