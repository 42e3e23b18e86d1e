#include "device/parameter_table.h"

#include "device/tolm472.h"
#include "protocol/command_codes.h"
#include "protocol/command_table.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <cmath>

// The rows name only the members that differ from their defaults; GCC 12
// warns about every member a designated initializer leaves out.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// A whole number within [lo, hi] goes through the model's setter; anything
// else is refused as the setters refuse out-of-range values.
template <typename Arg, void (Ttolm472::*Setter)(Arg), long Lo, long Hi>
void setInteger(Ttolm472 &m, double v)
{
    if (std::isfinite(v) && v == std::floor(v) && v >= Lo && v <= Hi)
        (m.*Setter)(static_cast<Arg>(v));
}

// An infinity or a NaN is no value the gauge can hold (sent as a float it
// would be stored as one): refused here, for every way a value comes in.
template <void (Ttolm472::*Setter)(double)>
void setFloat(Ttolm472 &m, double v)
{
    if (std::isfinite(v))
        (m.*Setter)(v);
}

template <auto Getter>
double get(const Ttolm472 &m)
{
    return double((m.*Getter)());
}

// The bad zones are observable values of the model (zone 1..5).
template <TIODouble TBadZone::*Field, int Zone>
double getZone(const Ttolm472 &m)
{
    return (m.BadZones.Zone(Zone).*Field).AsDouble();
}

template <TIODouble TBadZone::*Field, int Zone>
void setZone(Ttolm472 &m, double v)
{
    if (std::isfinite(v))
        (m.BadZones.Zone(Zone).*Field).SetValue(v);
}

double getProgramType(const Ttolm472 &m)
{
    return m.ProgramType;
}

// The program knows the two device types of the series only.
void setProgramType(Ttolm472 &m, double v)
{
    if (v == 11 || v == 12)
        m.ProgramType = uint8_t(v);
}

int programTypeCommand(const Ttolm472 &m)
{
    return m.ProgramType == 11 ? ProgramTypeWrite11 : m.ProgramType == 12 ? ProgramTypeWrite12 : -1;
}

int modePredictionCommand(const Ttolm472 &m)
{
    return m.ModePrediction() <= 2 ? ModePrediction0 + m.ModePrediction() : -1;
}

constexpr auto F = TParameterType::Float;
constexpr auto W = TParameterType::Word;
constexpr auto B = TParameterType::Byte;

using enum TParameterCondition;
using I = TParameterInput;

constexpr double Big = 1e9;
constexpr double Frequency = 1e11;

using P = TParameterPlace;

// The tank's dimensions and the current level: up to 10 significant digits.
constexpr TParameterView millimetres(const char *label)
{
    return {label, "мм", true, 1, 10};
}

// The view in its group of the parameters window.
constexpr TParameterView at(P place, int order, TParameterView view, bool lineBefore = false)
{
    view.Place = place;
    view.Order = order;
    view.LineBefore = lineBefore;
    return view;
}

template <auto Field>
double field(const Ttolm472 &m)
{
    return double(m.*Field);
}

double getFreq(const Ttolm472 &m)
{
    return m.Freq.AsDouble();
}

// What only the gauge reports refuses every value from the program.
void readOnly(Ttolm472 &, double) {}

const char *const BadZonesRead = "Считать информацию о плохих зонах";
const char *const BadZonesWrite = "Записать информацию о плохих зонах";

// The four values of a bad zone, read and written by the bad-zone commands
// as a group, shown and edited in the bad-zone grid.
#define TOLM_ZONE_ROW(Value, Field, N)                                                                               \
    TParameter                                                                                                       \
    {                                                                                                                \
        .Name = "BadZone" #Value #N, .Type = F, .ReadCode = BadZone##Value##Read1 + N - 1,                          \
        .WriteCode = BadZone##Value##Write1 + N - 1, .Get = getZone<&TBadZone::Field, N>,                            \
        .Set = setZone<&TBadZone::Field, N>, .ReadHint = BadZonesRead, .WriteHint = BadZonesWrite,                  \
        .StoresToRom = true, .Extended = true, .Group = "BadZones", .Shown = FullModeExtended,                       \
        .LockedWhilePolling = true, .AllParameters = FullModeExtended                                                \
    }
#define TOLM_ZONE_ROWS(N)                                                                                            \
    TOLM_ZONE_ROW(Near, Near, N), TOLM_ZONE_ROW(Far, Far, N), TOLM_ZONE_ROW(Fill, FillSpeed, N),                     \
        TOLM_ZONE_ROW(Empty, EmptySpeed, N)

// clang-format off
const TParameter Rows[] = {
    // The address the program talks to; changed in the program only.
    {.Name = "SystemAddress", .Type = B, .Get = get<&Ttolm472::SystemAddress>,
     .Set = setInteger<uint8_t, &Ttolm472::SetSystemAddress, 0, 255>,
     .Change = {"Системный адрес", I::Integer, "Системный адрес", 0, 255},
     .LockedWhilePolling = true, .SetDefault = 255,
     .View = at(P::Modification, 2, {"Системный адрес"})},
    // The signature answer carries the plant number (and the versions).
    {.Name = "PlantNumber", .Type = W, .ReadCode = SignatureRead, .Get = get<&Ttolm472::PlantNumber>,
     .Set = setInteger<uint16_t, &Ttolm472::SetPlantNumber, 0, 65535>, .ReadHint = "Считать сигнатуру прибора",
     .Change = {"Заводской номер", I::Integer, "Заводской номер [0..65535]", 0, 65535},
     .LockedWhilePolling = true, .SetDefault = 65535,
     .View = at(P::Modification, 1, {"Заводской номер"})},

    {.Name = "Hmax", .Type = F, .ReadCode = HmaxRead, .WriteCode = HmaxWrite, .Get = get<&Ttolm472::Hmax>,
     .Set = setFloat<&Ttolm472::SetHmax>, .ReadHint = "Считать Hmax из прибора",
     .WriteHint = "Записать Hmax в прибор", .StoresToRom = true,
     .ReadCaption = "Считать Hmax", .WriteCaption = "Записать Hmax ",
     .Change = {"H max", I::Double, "Высоту резервуара относительно монтажного фланца H max, мм", 0, 40000, 0},
     .RangesFollow = true, .LockedWhilePolling = true, .AllParameters = Always, .SetDefault = 30000,
     .View = at(P::Tank, 1, millimetres("Hmax"))},
    {.Name = "Lmax", .Type = F, .ReadCode = LmaxRead, .WriteCode = LmaxWrite, .Get = get<&Ttolm472::Lmax>,
     .Set = setFloat<&Ttolm472::SetLmax>, .ReadHint = "Считать Hу max из прибора",
     .WriteHint = "Записать Hу max в прибор", .StoresToRom = true,
     .ReadCaption = "Считать Hу max ", .WriteCaption = "Записать Hу max ",
     .Change = {"Hу max", I::Double, "Максимальный измеряемый уровень Hу max, мм", 0, 40000, 0},
     .RangesFollow = true, .LockedWhilePolling = true, .AllParameters = Always, .SetDefault = 30000,
     .View = at(P::Tank, 2, millimetres("Hу max"))},
    {.Name = "KKalman", .Type = F, .ReadCode = KKalmanRead, .WriteCode = KKalmanWrite,
     .Get = get<&Ttolm472::KKalman>, .Set = setFloat<&Ttolm472::SetKKalman>,
     .ReadHint = "Считать коэффициент сглаживания из прибора",
     .WriteHint = "Записать коэффициент сглаживания в прибор", .StoresToRom = true,
     .ReadCaption = "Считать коэффициент сглаживания", .WriteCaption = "Записать коэффициент сглаживания",
     .Change = {"Коэффициент сглаживания", I::Double, "Коэффициент сглаживания (от 0.01 до 1.00)", 0.01, 1, 2},
     .LockedWhilePolling = true, .AllParameters = Always, .SetDefault = 1,
     .View = at(P::Smoothing, 1, {"Коэффициент сглаживания", nullptr, true, 2})},
    {.Name = "ODPM", .Type = F, .ReadCode = ODPMRead, .WriteCode = ODPMWrite, .Get = get<&Ttolm472::ODPM>,
     .Set = setFloat<&Ttolm472::SetODPM>,
     .ReadHint = "Считать относительную диэлектрическую проницаемость материала из прибора",
     .WriteHint = "Записать относительную диэлектрическую проницаемость материала в прибор",
     .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать относительную диэлектрическую проницаемость материала",
     .WriteCaption = "Записать относительную диэлектрическую проницаемость материала",
     .Change = {"Относительная диэлектрическая проницаемость материала", I::Double,
                "Относительная диэлектрическая проницаемость материала [1 ... 100]", 1, 100, 1},
     .Shown = FullModeExtended, .LockedWhilePolling = true, .AllParameters = Extended,
     .View = at(P::Material, 1, {"Относительная диэлектрическая проницаемость материала", nullptr, true, 1})},
    {.Name = "KrPer", .Type = F, .ReadCode = KrPerRead, .WriteCode = KrPerWrite, .Get = get<&Ttolm472::KrPer>,
     .Set = setFloat<&Ttolm472::SetKrPer>, .ReadHint = "Считать крутизну характеристики преобразования из прибора",
     .WriteHint = "Записать крутизну характеристики преобразования в прибор", .StoresToRom = true,
     .ReadCaption = "Считать крутизну характеристики преобразования",
     .WriteCaption = "Записать крутизну характеристики преобразования",
     .Change = {"Крутизна характеристики преобразования", I::Double, "Крутизну характеристики преобразования",
                -Big, Big, 3},
     .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullMode, .SetDefault = 0,
     .View = at(P::Factory, 1, {"Крутизна характеристики преобразования", nullptr, true, 5})},
    {.Name = "SmPer", .Type = F, .ReadCode = SmPerRead, .WriteCode = SmPerWrite, .Get = get<&Ttolm472::SmPer>,
     .Set = setFloat<&Ttolm472::SetSmPer>, .ReadHint = "Считать смещение нуля из прибора",
     .WriteHint = "Записать смещение нуля в прибор", .StoresToRom = true,
     .ReadCaption = "Считать смещение нуля", .WriteCaption = "Записать смещение нуля",
     .Change = {"Смещение нуля", I::Double, "Смещение нуля", -Big, Big, 3},
     .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullMode, .SetDefault = 0,
     .View = at(P::Factory, 2, {"Смещение нуля", nullptr, true, 5})},
    {.Name = "ProgramType", .Type = B, .ReadCode = ProgramTypeRead, .WriteCodeOf = programTypeCommand,
     .Get = getProgramType, .Set = setProgramType, .ReadHint = "Считать тип прибора",
     .WriteHint = "Записать тип прибора", .StoresToRom = true,
     .ReadCaption = "Считать тип прибора", .WriteCaption = "Записать тип прибора",
     .Change = {"Тип прибора", I::List, "Тип прибора"},
     .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullMode},
    {.Name = "Speed", .Type = F, .ReadCode = SpeedRead, .WriteCode = SpeedWrite, .Get = get<&Ttolm472::Speed>,
     .Set = setFloat<&Ttolm472::SetSpeed>, .ReadHint = "Считать скорость изменения уровня продукта",
     .WriteHint = "Записать скорость изменения уровня продукта", .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать скорость изменения уровня продукта",
     .WriteCaption = "Записать скорость изменения уровня продукта",
     .Change = {"Скорость изменения уровня продукта", I::Double, "Скорость изменения уровня продукта", -Big, Big, 3,
                true},
     .Shown = FullModeExtended, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::TimeFilter, 1, {"Скорость изменения уровня продукта", "мм/с", true, 3})},
    {.Name = "KrFChH", .Type = F, .ReadCode = KrFChHRead, .WriteCode = KrFChHWrite, .Get = get<&Ttolm472::KrFChH>,
     .Set = setFloat<&Ttolm472::SetKrFChH>, .ReadHint = "Считать крутизну ФЧХ", .WriteHint = "Записать крутизну ФЧХ",
     .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать крутизну ФЧХ", .WriteCaption = "Записать крутизну ФЧХ",
     .Change = {"Крутизна ФЧХ", I::Double, "Крутизну ФЧХ", -Big, Big, 7, true},
     .Shown = FullModeExtended, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::MMP, 1, {"Крутизна ФЧХ", nullptr, true, 7})},
    {.Name = "SmFChH", .Type = F, .ReadCode = SmFChHRead, .WriteCode = SmFChHWrite, .Get = get<&Ttolm472::SmFChH>,
     .Set = setFloat<&Ttolm472::SetSmFChH>, .ReadHint = "Считать смещение ФЧХ", .WriteHint = "Записать смещение ФЧХ",
     .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать смещение ФЧХ", .WriteCaption = "Записать смещение ФЧХ",
     .Change = {"Смещение ФЧХ", I::Double, "Смещение ФЧХ", -Big, Big, 4, true},
     .Shown = FullModeExtended, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::MMP, 2, {"Смещение ФЧХ", nullptr, true, 4})},
    {.Name = "CountBadZones", .Type = W, .ReadCode = CountBadZonesRead, .WriteCode = CountBadZonesWrite,
     .Get = get<&Ttolm472::CountBadZones>, .Set = setInteger<uint16_t, &Ttolm472::SetCountBadZones, 0, 65535>,
     .ReadHint = "Считать количество плохих зон", .WriteHint = "Записать количество плохих зон",
     .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать количество плохих зон", .WriteCaption = "Записать количество плохих зон",
     .Change = {"Количество плохих зон", I::Integer, "Количество плохих зон", 0, 5, 0, true},
     .Shown = FullModeExtended, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::BadZones, 1, {"Количество плохих зон"})},
    TOLM_ZONE_ROWS(1), TOLM_ZONE_ROWS(2), TOLM_ZONE_ROWS(3), TOLM_ZONE_ROWS(4), TOLM_ZONE_ROWS(5),
    // Shown and changed bit by bit by the parameters window's check boxes.
    {.Name = "VariantProcessing", .Type = W, .ReadCode = VariantProcessingRead, .WriteCode = VariantProcessingWrite,
     .Get = get<&Ttolm472::VariantProcessing>,
     .Set = setInteger<uint16_t, &Ttolm472::SetVariantProcessing, 0, 65535>,
     .ReadHint = "Считать вариант п/п обработки данных", .WriteHint = "Записать вариант п/п обработки данных",
     .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать вариант п/п обработки данных", .WriteCaption = "Записать вариант п/п обработки данных",
     .Shown = FullModeExtended, .LockedWhilePolling = true, .AllParameters = FullModeExtended},
    {.Name = "FreqNes", .Type = F, .ReadCode = FreqNesRead, .WriteCode = FreqNesWrite,
     .Get = get<&Ttolm472::FreqNes>, .Set = setFloat<&Ttolm472::SetFreqNes>,
     .ReadHint = "Считать несущую частоту из прибора", .WriteHint = "Записать несущую частоту в прибор",
     .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать несущую частоту", .WriteCaption = "Записать несущую частоту",
     .Change = {"Несущая частота", I::Double, "Несущая частота, Гц", -Frequency, Frequency, 0},
     .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::Factory, 6, {"Несущая частота", "Гц", true, 0})},
    {.Name = "FreqBeg", .Type = W, .ReadCode = FreqBegRead, .WriteCode = FreqBegWrite,
     .Get = get<&Ttolm472::FreqBeg>, .Set = setInteger<uint16_t, &Ttolm472::SetFreqBeg, 0, 65535>,
     .ReadHint = "Считать начальную частоту обработки из прибора",
     .WriteHint = "Записать начальную частоту обработки в прибор", .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать начальную частоту обработки", .WriteCaption = "Записать начальную частоту обработки",
     .Change = {"Начальная частота обработки", I::Integer, "Начальная частота обработки", 0, 65535},
     .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::Factory, 8, {"Начальная частота обработки", nullptr, true, 0})},
    {.Name = "FreqDev", .Type = F, .ReadCode = FreqDevRead, .WriteCode = FreqDevWrite,
     .Get = get<&Ttolm472::FreqDev>, .Set = setFloat<&Ttolm472::SetFreqDev>,
     .ReadHint = "Считать девиацию частоты из прибора", .WriteHint = "Записать девиацию частоты в прибор",
     .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать девиацию частоты", .WriteCaption = "Записать девиацию частоты",
     .Change = {"Девиация частоты", I::Double, "Девиация частоты, Гц", -Frequency, Frequency, 0},
     .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::Factory, 5, {"Девиация частоты", "Гц", true, 0}, true)},
    {.Name = "Radius", .Type = F, .ReadCode = RadiusRead, .WriteCode = RadiusWrite, .Get = get<&Ttolm472::Radius>,
     .Set = setFloat<&Ttolm472::SetRadius>, .ReadHint = "Считать радиус волновода из прибора",
     .WriteHint = "Записать радиус волновода в прибор", .StoresToRom = true, .Extended = true,
     .ReadCaption = "Считать радиус волновода", .WriteCaption = "Записать радиус волновода",
     .Change = {"Радиус волновода", I::Double, "Радиус волновода, мм", 0, 1000, 1},
     .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::Factory, 7, {"Радиус волновода", "мм", true, 1}, true)},
    {.Name = "MUP", .Type = W, .ReadCode = MUPRead, .WriteCode = MUPWrite, .Get = get<&Ttolm472::MUP>,
     .Set = setInteger<int, &Ttolm472::SetMUP, 0, 65535>,
     .ReadHint = "Считать минимальный уровень учитываемой помехи из прибора",
     .WriteHint = "Записать минимальный уровень учитываемой помехи в прибор", .StoresToRom = true,
     .Extended = true, .ReadCaption = "Считать минимальный уровень учитываемой помехи",
     .WriteCaption = "Записать минимальный уровень учитываемой помехи",
     .Change = {"Минимальный уровень учитываемой помехи", I::Integer, "Минимальный уровень учитываемой помехи, дБ",
                1, 50},
     .Shown = FullModeExtended, .LockedWhilePolling = true, .AllParameters = FullModeExtended,
     .View = at(P::Factory, 9, {"Минимальный уровень учитываемой помехи", "дБ"}, true)},

    {.Name = "LevelKalibr", .Type = F, .WriteCode = LevelKalibrWrite, .Get = get<&Ttolm472::LevelKalibr>,
     .Set = setFloat<&Ttolm472::SetLevelKalibr>, .WriteHint = "Записать текущий уровень для калибровки в прибор",
     .StoresToRom = true, .WriteCaption = "Записать текущий уровень",
     .Change = {"Текущий уровень Ну", I::Double, "Текущий уровень продукта Hу, мм", 0, 40000, 0},
     .LockedWhilePolling = true, .View = at(P::Tank, 3, millimetres("Текущий уровень Hу"))},
    // Written by the main window's prediction-mode commands.
    {.Name = "ModePrediction", .Type = B, .WriteCodeOf = modePredictionCommand,
     .Get = get<&Ttolm472::ModePrediction>, .Set = setInteger<int, &Ttolm472::SetModePrediction, 0, 255>,
     .WriteHint = "Записать режим предсказания", .StoresToRom = true},
    // The gauge whose plant number is PlantNumber takes this address and
    // answers from it; the address and plant number are no ПЗУ parameters.
    // The main window writes them with composite commands of their own.
    {.Name = "SystemAddressNew", .Type = B, .WriteCode = SystemAddressWrite,
     .Get = get<&Ttolm472::SystemAddressNew>, .Set = setInteger<uint8_t, &Ttolm472::SetSystemAddressNew, 0, 255>,
     .WriteHint = "Записать системный адрес в прибор"},
    {.Name = "PlantNumberNew", .Type = W, .WriteCode = PlantNumberWrite, .Get = get<&Ttolm472::PlantNumberNew>,
     .Set = setInteger<uint16_t, &Ttolm472::SetPlantNumberNew, 0, 65535>,
     .WriteHint = "Записать заводской номер в прибор"},
    // Only shown by the parameters window: the versions come with the
    // signature, the gain and the beat-frequency estimate with the readings.
    {.Name = "HardVersion", .Type = B, .Get = field<&Ttolm472::HardVersion>, .Set = readOnly,
     .View = at(P::Modification, 3, {"Аппаратная версия"})},
    {.Name = "SoftVersion", .Type = B, .Get = field<&Ttolm472::SoftVersion>, .Set = readOnly,
     .View = at(P::Modification, 4, {"Программная версия"})},
    {.Name = "Usil", .Type = W, .Get = get<&Ttolm472::Usil>, .Set = readOnly, .View = at(P::Factory, 3, {"Услиление"})},
    {.Name = "Freq", .Type = F, .Get = getFreq, .Set = readOnly,
     .View = at(P::Factory, 4, {"Оценка частоты биений", nullptr, true, 2})},
};
// clang-format on

#undef TOLM_ZONE_ROWS
#undef TOLM_ZONE_ROW

// The number in a command that carries one, or -1.
int numberIn(int code, std::initializer_list<TRequestContext> numbered)
{
    const TCommandRow *row = CommandRow(code);
    if (!row)
        return -1;
    for (TRequestContext context : numbered)
        if (row->context == context)
            return row->number;
    return -1;
}

// The group's command, or the parameter's own when it has a caption.
QString commandName(const TParameter &parameter, const char *caption)
{
    if (parameter.Group)
        return QString::fromLatin1(parameter.Group);
    return caption ? QString::fromLatin1(parameter.Name) : QString();
}

} // namespace

std::span<const TParameter> ParameterTable()
{
    return Rows;
}

const TParameter *FindParameter(const QString &name)
{
    for (const TParameter &row : Rows)
        if (name == QLatin1String(row.Name))
            return &row;
    return nullptr;
}

int ParameterNumber(const TParameter &parameter)
{
    using C = TRequestContext;
    const int read = numberIn(parameter.ReadCode, {C::FloatParamRead, C::WordParamRead, C::ByteValue});
    return read >= 0 ? read : numberIn(parameter.WriteCode, {C::FloatParam, C::WordParam});
}

const TParameter *ParameterByNumber(TParameterType type, int number)
{
    for (const TParameter &row : Rows)
        if (row.Type == type && ParameterNumber(row) == number)
            return &row;
    return nullptr;
}

int WriteCommand(const TParameter &parameter, const Ttolm472 &model)
{
    return parameter.WriteCodeOf ? parameter.WriteCodeOf(model) : parameter.WriteCode;
}

bool CanRead(const TParameter &parameter)
{
    return parameter.ReadCode >= 0;
}

bool CanWrite(const TParameter &parameter)
{
    return parameter.WriteCode >= 0 || parameter.WriteCodeOf != nullptr;
}

bool CanSet(const TParameter &parameter)
{
    return parameter.Set != readOnly;
}

QString ReadCommandName(const TParameter &parameter)
{
    return commandName(parameter, parameter.ReadCaption);
}

QString WriteCommandName(const TParameter &parameter)
{
    return commandName(parameter, parameter.WriteCaption);
}

QString ViewLabel(const TParameter &parameter)
{
    const TParameterView &view = parameter.View;
    QString label = QString::fromUtf8(view.Label ? view.Label : "");
    if (view.Unit)
        label += QStringLiteral(", ") + QString::fromUtf8(view.Unit);
    return label;
}

QString ViewText(const TParameter &parameter, const Ttolm472 &model)
{
    const TParameterView &view = parameter.View;
    const double value = parameter.Get(model);
    if (!view.Grouped)
        return QString::number(qint64(value));
    return FloatToStrF(value, TDescriptionOfDouble::ffNumber, view.Digits, view.Decimals);
}

bool ConditionHolds(TParameterCondition condition, const Ttolm472 &model, bool fullMode)
{
    switch (condition) {
    case Never: return false;
    case Always: return true;
    case Extended: return model.HasExtendedParameters();
    case FullMode: return fullMode;
    case FullModeExtended: return fullMode && model.HasExtendedParameters();
    }
    return false;
}
