#include "ui/procedures/procedure_all_parameters.h"

#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "ui/main/main_services.h"
#include "ui/procedures/procedure_context.h"

#include <vector>

namespace {

// One step for each parameter of the all-parameters commands, in the
// order of the parameter table; the bad zones are one step of their own.
std::vector<TActionStep> parameterSteps(QString (*actionOf)(const TParameter &))
{
    std::vector<TActionStep> steps;
    for (const TParameter &parameter : ParameterTable()) {
        const QString action = actionOf(parameter);
        if (parameter.AllParameters == TParameterCondition::Never || action.isEmpty())
            continue;
        if (steps.empty() || steps.back().Action != action)
            steps.push_back({action, parameter.AllParameters});
    }
    return steps;
}

// The signature read comes first: it tells the program whether the gauge
// has the extended parameters.
std::vector<TActionStep> readSteps()
{
    std::vector<TActionStep> steps{{QStringLiteral("actSignatureRead"), TStepCondition::Always}};
    const std::vector<TActionStep> parameters = parameterSteps(ReadActionName);
    steps.insert(steps.end(), parameters.begin(), parameters.end());
    return steps;
}

void runSteps(const TProcedureContext &context, std::span<const TActionStep> steps)
{
    for (const TActionStep &step : steps)
        if (ConditionHolds(step.When, context.Model(), context.Flags.FullMode))
            context.Services.ExecuteAction(step.Action);
}

// Holds the store into ROM back for as long as it lives.
class TWritingAllParameters
{
public:
    explicit TWritingAllParameters(TAppFlags &flags) : m_flags(flags) { m_flags.WritingAllParameters = true; }
    ~TWritingAllParameters() { m_flags.WritingAllParameters = false; }
    TWritingAllParameters(const TWritingAllParameters &) = delete;
    TWritingAllParameters &operator=(const TWritingAllParameters &) = delete;

private:
    TAppFlags &m_flags;
};

} // namespace

std::span<const TActionStep> AllParametersReadSteps()
{
    static const std::vector<TActionStep> steps = readSteps();
    return steps;
}

std::span<const TActionStep> AllParametersWriteSteps()
{
    static const std::vector<TActionStep> steps = parameterSteps(WriteActionName);
    return steps;
}

void ReadAllParameters(const TProcedureContext &context, const QString &)
{
    runSteps(context, AllParametersReadSteps());
    context.Services.UpdateAllViews();
}

void WriteAllParameters(const TProcedureContext &context, const QString &)
{
    {
        const TWritingAllParameters holdBack(context.Flags);
        runSteps(context, AllParametersWriteSteps());
    }
    context.Services.UpdateAllViews();
    context.Services.ExecuteAction(QStringLiteral("actWriteToPZU"));
}
