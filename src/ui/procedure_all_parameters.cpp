#include "ui/procedure_all_parameters.h"

#include "device/tolm472.h"
#include "ui/main_services.h"
#include "ui/procedure_context.h"

namespace {

using enum TStepCondition;

constexpr TActionStep ReadSteps[] = {
    {"actSignatureRead", Always},
    {"actHmaxRead", Always},
    {"actLmaxRead", Always},
    {"actKKalmanRead", Always},
    {"actODPMRead", Extended},
    {"actKrPerRead", FullMode},
    {"actSmPerRead", FullMode},
    {"actProgramTypeRead", FullMode},
    {"actSpeedRead", FullModeExtended},
    {"actKrFChHRead", FullModeExtended},
    {"actSmFChHRead", FullModeExtended},
    {"actCountBadZonesRead", FullModeExtended},
    {"actBadZonesRead", FullModeExtended},
    {"actVariantProcessingRead", FullModeExtended},
    {"actFreqNesRead", FullModeExtended},
    {"actFreqBegRead", FullModeExtended},
    {"actFreqDevRead", FullModeExtended},
    {"actRadiusRead", FullModeExtended},
    {"actMUPRead", FullModeExtended},
};

constexpr TActionStep WriteSteps[] = {
    {"actHmaxWrite", Always},
    {"actLmaxWrite", Always},
    {"actKKalmanWrite", Always},
    {"actODPMWrite", Extended},
    {"actKrPerWrite", FullMode},
    {"actSmPerWrite", FullMode},
    {"actProgramTypeWrite", FullMode},
    {"actSpeedWrite", FullModeExtended},
    {"actKrFChHWrite", FullModeExtended},
    {"actSmFChHWrite", FullModeExtended},
    {"actCountBadZonesWrite", FullModeExtended},
    {"actBadZonesWrite", FullModeExtended},
    {"actVariantProcessingWrite", FullModeExtended},
    {"actFreqNesWrite", FullModeExtended},
    {"actFreqBegWrite", FullModeExtended},
    {"actFreqDevWrite", FullModeExtended},
    {"actRadiusWrite", FullModeExtended},
    {"actMUPWrite", FullModeExtended},
};

void runSteps(const TProcedureContext &context, std::span<const TActionStep> steps)
{
    for (const TActionStep &step : steps)
        if (StepApplies(step.When, context.Model(), context.Flags))
            context.Services.ExecuteAction(QString::fromLatin1(step.Action));
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
    return ReadSteps;
}

std::span<const TActionStep> AllParametersWriteSteps()
{
    return WriteSteps;
}

bool StepApplies(TStepCondition when, const Ttolm472 &model, const TAppFlags &flags)
{
    switch (when) {
    case Always:
        return true;
    case Extended:
        return model.HasExtendedParameters();
    case FullMode:
        return flags.FullMode;
    case FullModeExtended:
        return flags.FullMode && model.HasExtendedParameters();
    }
    return false;
}

void ReadAllParameters(const TProcedureContext &context, const QString &)
{
    runSteps(context, ReadSteps);
    context.Services.UpdateAllViews();
}

void WriteAllParameters(const TProcedureContext &context, const QString &)
{
    {
        const TWritingAllParameters holdBack(context.Flags);
        runSteps(context, WriteSteps);
    }
    context.Services.UpdateAllViews();
    context.Services.ExecuteAction(QStringLiteral("actWriteToPZU"));
}
