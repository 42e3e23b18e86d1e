// The rows of the main window's actions that are not made from the
// parameter table: captions, hints, dialogs, codes.
#include "ui/main/action_tables.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"

namespace {

const TNamedAction Windows[] = {
    {"actReqAnsShow", "Связь", nullptr},
    {"actTolm472Show", "Показания ТОЛМ47xИ", nullptr},
    {"actTolmParShow", "Параметры ТОЛМ47xИ", nullptr},
    {"actSelectCmdShow", "Команды ТОЛМ47xИ", nullptr},
    {"actSpectrumShow", "Спектр", nullptr},
    {"actSignalShow", "Сигнал", nullptr},
    {"actKalibrShow", "Калибровка", nullptr},
    {"actFormProgonShow", "Прогон", nullptr},
    {"actRegisterShow", "Журнал приборов", "Журнал приборов: прогоны, калибровки и параметры по заводским номерам"},
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

// clang-format on

} // namespace

std::span<const TNamedAction> WindowActions()
{
    return Windows;
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

QString HintOf(const TNamedAction &action)
{
    return QString::fromUtf8(action.Hint ? action.Hint : action.Caption);
}
