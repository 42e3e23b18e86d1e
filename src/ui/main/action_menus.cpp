// The menus and the tool bar of the main window, in their order.
#include "ui/main/action_tables.h"

namespace {

constexpr TMenuEntry Separator{nullptr};

// clang-format off
const TMenuEntry Work[] = {
    {"actTolm472iLoad"}, {"actTolm472iCompare"}, {"actTolm472iSave"}, {"actTolm472iBackup"},
    {"actServiceBundleSave"}, Separator,
    {"actOprosStart"}, {"actOprosStop"}, Separator,
    {"actLineScan"}, Separator,
    {"actOprosSignalStart"}, {"actOprosSignalStop"}, Separator,
    {"act10"}, {"act16"}, Separator,
    {"actInit"}, Separator,
    // Offered by the parameters window's buttons, not in this menu.
    {"actTrainingModeStart", nullptr, nullptr, true}, {"actCorrectionModeStart", nullptr, nullptr, true},
    {"actTrainingModeStop", nullptr, nullptr, true}, {"actModePrediction0", nullptr, nullptr, true},
    {"actModePrediction1", nullptr, nullptr, true}, {"actModePrediction2", nullptr, nullptr, true},
    {"actModePredictionWrite", nullptr, nullptr, true}, Separator,
    {"actClose"},
};

const TMenuEntry Change[] = {
    {"actTransmitterChange"}, {"actTimerParametersChange"}, {"actPeriodSignalReadChange"}, Separator,
    {"actSystemAddressChange"}, {"actPlantNumberChange"}, Separator,
    {"actProgramTypeChange"}, Separator,
    {"actHmaxChange"}, {"actLmaxChange"}, Separator,
    {"actKKalmanChange"}, {"actLevelKalibrChange"}, Separator,
    {"actSpeedChange"}, {"actCountBadZonesChange"}, Separator,
    {"actKrPerChange"}, {"actSmPerChange"}, Separator,
    {"actKrFChHChange"}, {"actSmFChHChange"}, Separator,
    {"actFreqNesChange"}, {"actFreqDevChange"}, {"actFreqBegChange"}, {"actRadiusChange"}, Separator,
    {"actMUPChange"}, {"actODPMChange"},
};

const TMenuEntry Readings[] = {
    {"actDistanceRead", "Считать измеренное значение расстояния до продукта"}, {"actLevelFreeRead"},
    {"actLevelRead", "Считать вычисленное значение уровня"}, Separator,
    {"actTempRead", "Считать измеренное значение температуры"}, Separator,
    {"actUsilRead"}, {"actReserveRead"}, Separator,
    {"actLevelAllRead", nullptr,
     "Считать показания расстояния, свободного пространства, уровня, оценку частоты биений, значение усиления, "
     "резерва"},
};

const TMenuEntry Read[] = {
    {"actProgramTypeRead"}, Separator,
    {"actHmaxRead"}, {"actLmaxRead"}, {"actKKalmanRead"}, Separator,
    {"actSpeedRead"}, Separator,
    {"actKrPerRead"}, {"actSmPerRead"}, Separator,
    {"actKrFChHRead"}, {"actSmFChHRead"}, Separator,
    {"actCountBadZonesRead"}, {"actBadZonesRead"}, {"actVariantProcessingRead"}, Separator,
    {"actFreqNesRead"}, {"actFreqDevRead"}, {"actFreqBegRead"}, {"actRadiusRead"}, Separator,
    {"actMUPRead"}, {"actODPMRead"}, Separator,
    {"actAllParamRead"}, Separator,
    {"actInitReadStart"}, {"actInitReadStop"}, Separator,
    {"actSpectrumRead"}, {"actSignalRead"}, Separator,
    {"actSignatureRead"}, {"actIdentificationRead"}, {"actEcho"},
};

const TMenuEntry Write[] = {
    {"actProgramTypeWrite"}, Separator,
    {"actHmaxWrite"}, {"actLmaxWrite"}, {"actKKalmanWrite"}, Separator,
    {"actSpeedWrite"}, Separator,
    {"actKrPerWrite"}, {"actSmPerWrite"}, Separator,
    {"actKrFChHWrite"}, {"actSmFChHWrite"}, Separator,
    {"actCountBadZonesWrite"}, {"actBadZonesWrite"}, {"actVariantProcessingWrite"}, Separator,
    {"actFreqNesWrite"}, {"actFreqDevWrite"}, {"actFreqBegWrite"}, {"actRadiusWrite"}, Separator,
    {"actMUPWrite"}, {"actODPMWrite"}, Separator,
    {"actAllParamWrite"}, Separator,
    {"actWriteToPZU"}, Separator,
    {"actLevelKalibrWrite"}, Separator,
    {"actSystemAddressWrite"}, {"actPlantNumberWrite"},
};

const TMenuEntry Graph[] = {
    {"actGraphDistance"}, {"actGraphLevelFree"}, {"actGraphLevel"}, {"actGraphTmp"}, {"actGraphUsil"},
    {"actGraphLevelSr", "Резерв", "График резерв"}, {"actGraphCurrentOutputShow"}, Separator,
    {"actMultiGraphShow"},
};

const TMenuEntry Windows[] = {
    {"actReqAnsShow"}, {"actTolm472Show"}, {"actTolmParShow"}, {"actSelectCmdShow"}, {"actSpectrumShow"},
    {"actSignalShow"}, {"actFormProgonShow"}, {"actRegisterShow"}, {"actLineGaugesShow"}, {"actFormAboutShow"},
};

const TMenu Menus[] = {
    {"Работа", Work}, {"Изменить", Change}, {"Показания", Readings}, {"Считать", Read},
    {"Записать", Write}, {"График", Graph}, {"Окна", Windows},
};

// Two rows of tool buttons, some with short texts (the hint names the
// command in full); the array reads and the reads and writes of all
// parameters keep their captions, so a read never looks like the window
// of the same name.
const TMenuEntry ToolBarLine[] = {
    {"actTransmitterChange"}, Separator,
    {"actTolm472iLoad", "Загрузить"}, {"actTolm472iSave", "Сохранить"}, Separator,
    {"actOprosStop"}, {"actOprosStart"}, Separator,
    {"act10"}, {"act16"}, Separator,
    {"actEcho"}, {"actSignatureRead", "Сигнатура"}, {"actIdentificationRead", "Идентификация"},
    {"actSystemAddressWrite", "Системный адрес"}, {"actPlantNumberWrite", "Заводской номер"},
};

const TMenuEntry ToolBarGauge[] = {
    {"actDistanceRead"}, {"actLevelFreeRead", "Свободное пространство"}, {"actLevelRead", "Уровень"},
    {"actTempRead", "Температура"}, {"actLevelAllRead", "Все показания"}, Separator,
    {"actSpectrumRead"}, {"actSignalRead"}, Separator,
    {"actAllParamRead"}, {"actAllParamWrite"}, Separator,
    {"actReqAnsShow"}, {"actTolm472Show", "Показания"}, {"actTolmParShow", "Параметры"},
    {"actSelectCmdShow", "Команды"}, {"actSpectrumShow"}, {"actSignalShow"}, {"actFormProgonShow"}, Separator,
    {"actClose"},
};

const TMenu ToolBars[] = {{"tbLine", ToolBarLine}, {"tbGauge", ToolBarGauge}};
// clang-format on

} // namespace

std::span<const TMenu> MainMenus()
{
    return Menus;
}

std::span<const TMenu> MainToolBars()
{
    return ToolBars;
}
