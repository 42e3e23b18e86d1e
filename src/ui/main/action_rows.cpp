// The rows of the main window's actions that are not made from the
// parameter table: captions, hints, dialogs, codes.
#include "ui/main/action_tables.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"

namespace {

const TNamedAction WindowRows[] = {
    {"actReqAnsShow", "Связь", nullptr},
    {"actTolm472Show", "Показания ТОЛМ47xИ", nullptr},
    {"actTolmParShow", "Параметры ТОЛМ47xИ", nullptr},
    {"actSelectCmdShow", "Команды ТОЛМ47xИ", nullptr},
    {"actSpectrumShow", "Спектр", nullptr},
    {"actSignalShow", "Сигнал", nullptr},
    {"actKalibrShow", "Калибровка", nullptr},
    {"actFormProgonShow", "Прогон", nullptr},
    {"actRegisterShow", "Журнал приборов", "Журнал приборов: прогоны, калибровки и параметры по заводским номерам"},
    {"actLineGaugesShow", "Приборы на линии", "Приборы на линии: опрос нескольких приборов, текущий прибор"},
    {"actLineScan", "Поиск приборов на линии", "Найти приборы на линии по их адресам 1...255"},
    {"actGraphLevel", "Уровень", "График уровня"},
    {"actGraphDistance", "Расстояние", "График расстояния от фланца до продукта"},
    {"actGraphLevelSr", "Уровень усредненный", "График усредненного уровня"},
    {"actGraphLevelFree", "Свободное пространство", "График свободного пространства"},
    {"actGraphUsil", "Усиление", "График усиления"},
    {"actGraphTmp", "Температура", "График температуры датчика"},
    {"actGraphCurrentOutputShow", "Ток", "Ток"},
    {"actMultiGraphShow", "Графики", nullptr},
    {"actFormAboutShow", "О программе", nullptr},
    {"actTransmitterChange", "СОМ порт", "Изменить параметры СОМ порта"},
    {"actClose", "Выход", "Завершить работу программы"},
    {"act10", "Dec", "Десятичная"},
    {"act16", "Hex", "Шестнадцатиричная"},
};

const TNamedAction Polling[] = {
    {"actOprosStart", "Начать опрос", "Начать опрос прибора"},
    {"actOprosStop", "Остановить опрос", "Остановить опрос прибора"},
    {"actTimerParametersChange", "Период опроса", "Изменить период опроса прибора"},
    {"actOprosSignalStart", "Начать опрос сигнала", "Начать опрос сигнала"},
    {"actOprosSignalStop", "Остановить опрос сигнала", "Остановить опрос сигнала"},
    {"actPeriodSignalReadChange", "Период опроса сигнала", "Изменить период опроса сигнала"},
    {"actSpectrumRead", "Считать спектр", "Считать спектр из прибора"},
    {"actSignalRead", "Считать сигнал", "Считать сигнал из прибора"},
};

// clang-format off
const TTextChange Texts[] = {
    // Asked by the test run; the test-run window shows them itself.
    {"actPPMChange", "ППМ", "Номер ППМ", &TGaugeTestRun::PPMNumber},
    {"actNNZChange", "ННЗ", "Номер Н/З", &TGaugeTestRun::NNZNumber},
};

const TSingleRead Reads[] = {
    {"actDistanceRead", "Расстояние", DistanceRead},
    {"actLevelRead", "Считать измеренное значение уровня", LevelRead},
    {"actLevelFreeRead", "Считать вычисленное значение свободного простанства", LevelFreeRead},
    {"actReserveRead", "Считать резерв", ReserveRead},
    {"actUsilRead", "Считать усиление", UsilRead},
    {"actLevelAllRead", "Считать все показания", LevelAllRead},
    {"actEcho", "Эхо", Echo},
    {"actTempRead", "Считать значение температуры", TempRead},
    {"actInitReadStart", "Инициализация чтения массива", SignalReadInit},
    {"actInitReadStop", "Завершение чтения массива", InitReadStop},
};

const TProcedureActionName Procedures[] = {
    {TProcedureId::WriteToRom, "actWriteToPZU", "Записать в ПЗУ"},
    {TProcedureId::InitGauge, "actInit", "Инициализация параметров прибора"},
    {TProcedureId::PredictionMode0, "actModePrediction0", "Установить режим предсказания \"Уровень не изменяется\""},
    {TProcedureId::PredictionMode1, "actModePrediction1", "Установить режим предсказания \"Уровень увеличивается (налив)\""},
    {TProcedureId::PredictionMode2, "actModePrediction2", "Установить режим предсказания \"Уровень уменьшается (слив)\""},
    {TProcedureId::PredictionModeWrite, "actModePredictionWrite", "Записать режим предсказания"},
    {TProcedureId::SignatureRead, "actSignatureRead", "Считать сигнатуру"},
    {TProcedureId::IdentificationRead, "actIdentificationRead", "Считать \"Идентификационные параметры\""},
    {TProcedureId::SystemAddressWrite, "actSystemAddressWrite", "Записать системный адрес"},
    {TProcedureId::PlantNumberWrite, "actPlantNumberWrite", "Записать заводской номер"},
    {TProcedureId::BadZonesRead, "actBadZonesRead", "Считать информацию о плохих зонах"},
    {TProcedureId::BadZonesWrite, "actBadZonesWrite", "Записать информацию о плохих зонах"},
    {TProcedureId::TrainingStart, "actTrainingModeStart", "Обучение на пустом резервуаре"},
    {TProcedureId::CorrectionStart, "actCorrectionModeStart", "Коррекция ММП"},
    {TProcedureId::GaugeModeStop, "actTrainingModeStop", "Завершить режим"},
    {TProcedureId::AllParametersRead, "actAllParamRead", "Считать все параметры"},
    {TProcedureId::AllParametersWrite, "actAllParamWrite", "Записать все параметры "},
    {TProcedureId::ParameterSetSave, "actTolm472iSave", "Сохранить параметры "},
    {TProcedureId::ParameterSetBackup, "actTolm472iBackup", "Считать из прибора и сохранить"},
    {TProcedureId::ParameterSetLoad, "actTolm472iLoad", "Загрузить параметры"},
    {TProcedureId::ParameterSetCompare, "actTolm472iCompare", "Сравнить с прибором"},
    {TProcedureId::ServiceBundleSave, "actServiceBundleSave", "Сохранить пакет для сервиса"},
    {TProcedureId::CalibrationWrite, "actKalibrSave", "Записать Базу и Крутизну"},
    {TProcedureId::TestRunTemplate, "actProgonTemplate", "Создать шаблон прогона"},
    {TProcedureId::TestRunStart, "actProgonStart", "Прогон начать"},
    {TProcedureId::TestRunStop, "actProgonStop", "Прогон остановить"},
};

// clang-format on

} // namespace

std::span<const TNamedAction> WindowActions()
{
    return WindowRows;
}

std::span<const TNamedAction> PollingActions()
{
    return Polling;
}

std::span<const TTextChange> TextChanges()
{
    return Texts;
}

std::span<const TSingleRead> SingleReads()
{
    return Reads;
}

std::span<const TProcedureActionName> ProcedureActionNames()
{
    return Procedures;
}

QString HintOf(const TNamedAction &action)
{
    return QString::fromUtf8(action.Hint ? action.Hint : action.Caption);
}
