// Which actions polling locks, and which only full mode shows.
#include "ui/action_tables.h"

namespace {

// The long operations and everything that changes what the gauge is or how
// it is reached: a polling pass must not meet them on the line or find the
// model's configuration changing under it. Single reads, "Эхо", the
// signature and identification reads, the prediction-mode and training
// commands and every window stay usable.
const char *const Locked[] = {
    "actAllParamRead", "actAllParamWrite", "actSpectrumRead", "actSignalRead", "actSystemAddressWrite",
    "actPlantNumberWrite", "actWriteToPZU", "actInit", "actInitReadStart", "actInitReadStop",
    "actSystemAddressChange", "actPlantNumberChange", "actTolm472iLoad", "actTolm472iSave", "actHmaxChange",
    "actHmaxRead", "actHmaxWrite", "actLmaxChange", "actLmaxRead", "actLmaxWrite", "actKrPerChange",
    "actKrPerRead", "actKrPerWrite", "actSmPerChange", "actSmPerRead", "actSmPerWrite", "actKKalmanChange",
    "actKKalmanRead", "actKKalmanWrite", "actLevelKalibrChange", "actLevelKalibrWrite", "actTransmitterChange",
    "actProgramTypeChange", "actProgramTypeRead", "actProgramTypeWrite", "actODPMChange", "actODPMRead",
    "actODPMWrite", "actMUPChange", "actMUPRead", "actMUPWrite", "actSpeedChange", "actSpeedRead",
    "actSpeedWrite", "actFreqNesChange", "actFreqNesRead", "actFreqNesWrite", "actFreqDevChange",
    "actFreqDevRead", "actFreqDevWrite", "actFreqBegChange", "actFreqBegRead", "actFreqBegWrite",
    "actRadiusChange", "actRadiusRead", "actRadiusWrite", "actCountBadZonesChange", "actCountBadZonesRead",
    "actCountBadZonesWrite", "actBadZonesRead", "actBadZonesWrite", "actVariantProcessingRead",
    "actVariantProcessingWrite", "actKrFChHChange", "actKrFChHRead", "actKrFChHWrite", "actSmFChHChange",
    "actSmFChHRead", "actSmFChHWrite",
};

// The factory's service functions.
const char *const FullMode[] = {
    "actFormProgonShow", "actReserveRead", "actPlantNumberWrite", "actProgramTypeChange", "actProgramTypeRead",
    "actProgramTypeWrite", "actInit", "actEcho", "actUsilRead", "actKrPerChange", "actKrPerRead",
    "actKrPerWrite", "actSmPerChange", "actSmPerRead", "actSmPerWrite", "actFreqNesChange", "actFreqNesRead",
    "actFreqNesWrite", "actFreqDevChange", "actFreqDevRead", "actFreqDevWrite", "actFreqBegChange",
    "actFreqBegRead", "actFreqBegWrite", "actRadiusChange", "actRadiusRead", "actRadiusWrite",
    "actInitReadStart", "actInitReadStop", "actPeriodSignalReadChange", "actSpectrumRead", "actSpectrumShow",
    "actSignalRead", "actSignalShow", "actGraphLevelSr", "actGraphUsil", "actOprosSignalStart",
    "actOprosSignalStop", "actGraphCurrentOutputShow",
};

// Parameters that only gauges with a software version above 1 have.
const char *const Extended[] = {
    "actSpeedChange", "actSpeedRead", "actSpeedWrite", "actKrFChHChange", "actKrFChHRead", "actKrFChHWrite",
    "actSmFChHChange", "actSmFChHRead", "actSmFChHWrite", "actCountBadZonesChange", "actCountBadZonesRead",
    "actCountBadZonesWrite", "actBadZonesRead", "actBadZonesWrite", "actVariantProcessingRead",
    "actVariantProcessingWrite", "actODPMChange", "actODPMRead", "actODPMWrite", "actMUPChange", "actMUPRead",
    "actMUPWrite",
};

} // namespace

std::span<const char *const> PollingLockedActions()
{
    return Locked;
}

std::span<const char *const> FullModeActions()
{
    return FullMode;
}

std::span<const char *const> ExtendedActions()
{
    return Extended;
}
