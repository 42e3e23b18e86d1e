// The rows of the main window's actions: captions, hints, dialogs, codes.
#include "ui/action_tables.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"

namespace {

const TNamedAction Windows[] = {
    {"actReqAnsShow", "Связь", nullptr},
    {"actTolm472Show", "Показания ТОЛМ47xИ", nullptr},
    {"actSelectCmdShow", "Команды ТОЛМ47xИ", nullptr},
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

constexpr double Big = 1e9;
constexpr double Frequency = 1e11;
using K = TInputKind;

// clang-format off
const TChangeAction Changes[] = {
    {"actSystemAddressChange", "Системный адрес", K::Integer, "Системный адрес", 0, 255, 0,
     "SystemAddress", nullptr, false, false, true},
    {"actPlantNumberChange", "Заводской номер", K::Integer, "Заводской номер [0..65535]", 0, 65535, 0,
     "PlantNumber", nullptr, false, false, true},
    {"actProgramTypeChange", "Тип прибора", K::List, "Тип прибора", 0, 0, 0,
     "ProgramType", nullptr, false, false, true},
    {"actHmaxChange", "H max", K::Double, "Высоту резервуара относительно монтажного фланца H max, мм", 0, 40000, 0,
     "Hmax", nullptr, false, true, true},
    {"actLmaxChange", "Hу max", K::Double, "Максимальный измеряемый уровень Hу max, мм", 0, 40000, 0,
     "Lmax", nullptr, false, true, true},
    {"actLevelKalibrChange", "Текущий уровень Ну", K::Double, "Текущий уровень продукта Hу, мм", 0, 40000, 0,
     "LevelKalibr", nullptr, false, false, true},
    {"actKKalmanChange", "Коэффициент сглаживания", K::Double, "Коэффициент сглаживания (от 0.01 до 1.00)",
     0.01, 1, 2, "KKalman", nullptr, false, false, true},
    {"actKrPerChange", "Крутизна характеристики преобразования", K::Double,
     "Крутизну характеристики преобразования", -Big, Big, 3, "KrPer", nullptr, false, false, true},
    {"actSmPerChange", "Смещение нуля", K::Double, "Смещение нуля", -Big, Big, 3,
     "SmPer", nullptr, false, false, true},
    {"actKrFChHChange", "Крутизна ФЧХ", K::Double, "Крутизну ФЧХ", -Big, Big, 7,
     "KrFChH", nullptr, true, false, true},
    {"actSmFChHChange", "Смещение ФЧХ", K::Double, "Смещение ФЧХ", -Big, Big, 4,
     "SmFChH", nullptr, true, false, true},
    {"actSpeedChange", "Скорость изменения уровня продукта", K::Double, "Скорость изменения уровня продукта",
     -Big, Big, 3, "Speed", nullptr, true, false, true},
    {"actCountBadZonesChange", "Количество плохих зон", K::Integer, "Количество плохих зон", 0, 5, 0,
     "CountBadZones", nullptr, true, false, true},
    {"actRadiusChange", "Радиус волновода", K::Double, "Радиус волновода, мм", 0, 1000, 1,
     "Radius", nullptr, false, false, true},
    {"actFreqNesChange", "Несущая частота", K::Double, "Несущая частота, Гц", -Frequency, Frequency, 0,
     "FreqNes", nullptr, false, false, true},
    {"actFreqDevChange", "Девиация частоты", K::Double, "Девиация частоты, Гц", -Frequency, Frequency, 0,
     "FreqDev", nullptr, false, false, true},
    {"actFreqBegChange", "Начальная частота обработки", K::Integer, "Начальная частота обработки", 0, 65535, 0,
     "FreqBeg", nullptr, false, false, true},
    {"actODPMChange", "Относительная диэлектрическая проницаемость материала", K::Double,
     "Относительная диэлектрическая проницаемость материала [1 ... 100]", 1, 100, 1,
     "ODPM", nullptr, false, false, true},
    {"actMUPChange", "Минимальный уровень учитываемой помехи", K::Integer,
     "Минимальный уровень учитываемой помехи, дБ", 1, 50, 0, "MUP", nullptr, false, false, true},
    // Asked by the test run; the test-run window shows them itself.
    {"actPPMChange", "ППМ", K::Text, "Номер ППМ", 0, 0, 0, nullptr, &Ttolm472::PPMNumber, false, false, false},
    {"actNNZChange", "ННЗ", K::Text, "Номер Н/З", 0, 0, 0, nullptr, &Ttolm472::NNZNumber, false, false, false},
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

// In the order of the "Считать" and "Записать" menus.
const TParameterCommand Parameters[] = {
    {"ProgramType", "Считать тип прибора", "Записать тип прибора", false},
    {"Hmax", "Считать Hmax", "Записать Hmax ", true},
    {"Lmax", "Считать Hу max ", "Записать Hу max ", true},
    {"KKalman", "Считать коэффициент сглаживания", "Записать коэффициент сглаживания", false},
    {"Speed", "Считать скорость изменения уровня продукта", "Записать скорость изменения уровня продукта", false},
    {"KrPer", "Считать крутизну характеристики преобразования", "Записать крутизну характеристики преобразования",
     false},
    {"SmPer", "Считать смещение нуля", "Записать смещение нуля", false},
    {"KrFChH", "Считать крутизну ФЧХ", "Записать крутизну ФЧХ", false},
    {"SmFChH", "Считать смещение ФЧХ", "Записать смещение ФЧХ", false},
    {"CountBadZones", "Считать количество плохих зон", "Записать количество плохих зон", false},
    {"VariantProcessing", "Считать вариант п/п обработки данных", "Записать вариант п/п обработки данных", false},
    {"FreqNes", "Считать несущую частоту", "Записать несущую частоту", false},
    {"FreqDev", "Считать девиацию частоты", "Записать девиацию частоты", false},
    {"FreqBeg", "Считать начальную частоту обработки", "Записать начальную частоту обработки", false},
    {"Radius", "Считать радиус волновода", "Записать радиус волновода", false},
    {"MUP", "Считать минимальный уровень учитываемой помехи", "Записать минимальный уровень учитываемой помехи",
     false},
    {"ODPM", "Считать относительную диэлектрическую проницаемость материала",
     "Записать относительную диэлектрическую проницаемость материала", false},
    {"LevelKalibr", nullptr, "Записать текущий уровень", false},
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

std::span<const TChangeAction> ChangeActions()
{
    return Changes;
}

std::span<const TSingleRead> SingleReads()
{
    return Reads;
}

std::span<const TParameterCommand> ParameterCommands()
{
    return Parameters;
}

QString ReadActionName(const TParameterCommand &command)
{
    return QStringLiteral("act") + QString::fromUtf8(command.Property) + QStringLiteral("Read");
}

QString WriteActionName(const TParameterCommand &command)
{
    return QStringLiteral("act") + QString::fromUtf8(command.Property) + QStringLiteral("Write");
}

QString HintOf(const TNamedAction &action)
{
    return QString::fromUtf8(action.Hint ? action.Hint : action.Caption);
}
