#include "device/parameter_table.h"

#include "device/tolm472.h"
#include "protocol/command_codes.h"
#include "protocol/command_table.h"

#include <cmath>
#include <type_traits>

// The rows name only the members that differ from their defaults; GCC 12
// warns about every member a designated initializer leaves out.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// The part of the model a member pointer of the table points into: the
// model itself (its address), its configuration or its identity.
template <typename Part>
Part &partOf(Ttolm472 &m)
{
    if constexpr (std::is_same_v<Part, TGaugeConfiguration>)
        return m.Config;
    else if constexpr (std::is_same_v<Part, TGaugeIdentity>)
        return m.Identity;
    else
        return m;
}

template <typename Part>
const Part &partOf(const Ttolm472 &m)
{
    return partOf<Part>(const_cast<Ttolm472 &>(m));
}

template <typename Member>
struct TMemberOf;
template <typename Part, typename T>
struct TMemberOf<T Part::*> {
    using Type = Part;
};
template <auto Member>
using PartOf = typename TMemberOf<decltype(Member)>::Type;

// A whole number within [lo, hi] goes through the model's setter; anything
// else is refused as the setters refuse out-of-range values.
template <typename Arg, auto Setter, long Lo, long Hi>
void setInteger(Ttolm472 &m, double v)
{
    if (std::isfinite(v) && v == std::floor(v) && v >= Lo && v <= Hi)
        (partOf<PartOf<Setter>>(m).*Setter)(static_cast<Arg>(v));
}

// An infinity or a NaN is no value the gauge can hold (sent as a float it
// would be stored as one): refused here, for every way a value comes in.
template <auto Setter>
void setFloat(Ttolm472 &m, double v)
{
    if (std::isfinite(v))
        (partOf<PartOf<Setter>>(m).*Setter)(v);
}

template <auto Getter>
double get(const Ttolm472 &m)
{
    return double((partOf<PartOf<Getter>>(m).*Getter)());
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
    return m.Identity.ProgramType;
}

// The program knows the two device types of the series only.
void setProgramType(Ttolm472 &m, double v)
{
    if (v == 11 || v == 12)
        m.Identity.ProgramType = uint8_t(v);
}

int programTypeCommand(const Ttolm472 &m)
{
    return m.Identity.ProgramType == 11 ? ProgramTypeWrite11 : m.Identity.ProgramType == 12 ? ProgramTypeWrite12 : -1;
}

int modePredictionCommand(const Ttolm472 &m)
{
    return m.Config.ModePrediction() <= 2 ? ModePrediction0 + m.Config.ModePrediction() : -1;
}

constexpr auto F = TParameterType::Float;
constexpr auto W = TParameterType::Word;
constexpr auto B = TParameterType::Byte;

using enum TParameterCondition;

constexpr double Big = 1e9;
constexpr double Frequency = 1e11;


template <auto Field>
double field(const Ttolm472 &m)
{
    return double(partOf<PartOf<Field>>(m).*Field);
}

double getFreq(const Ttolm472 &m)
{
    return m.Readings.Freq.AsDouble();
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
     .Set = setInteger<uint8_t, &Ttolm472::SetSystemAddress, 0, 255>, .Min = 0, .Max = 255,
     .LockedWhilePolling = true, .SetDefault = 255},
    // The signature answer carries the plant number (and the versions).
    {.Name = "PlantNumber", .Type = W, .ReadCode = SignatureRead, .Get = get<&TGaugeConfiguration::PlantNumber>,
     .Set = setInteger<uint16_t, &TGaugeConfiguration::SetPlantNumber, 0, 65535>, .Min = 0, .Max = 65535,
     .ReadHint = "Считать сигнатуру прибора", .LockedWhilePolling = true, .SetDefault = 65535},

    {.Name = "Hmax", .Type = F, .ReadCode = HmaxRead, .WriteCode = HmaxWrite, .Get = get<&TGaugeConfiguration::Hmax>,
     .Set = setFloat<&TGaugeConfiguration::SetHmax>, .Min = 0, .Max = 40000, .ReadHint = "Считать Hmax из прибора",
     .WriteHint = "Записать Hmax в прибор", .StoresToRom = true, .OwnRead = true, .OwnWrite = true,
     .RangesFollow = true, .LockedWhilePolling = true, .AllParameters = Always, .SetDefault = 30000},
    {.Name = "Lmax", .Type = F, .ReadCode = LmaxRead, .WriteCode = LmaxWrite, .Get = get<&TGaugeConfiguration::Lmax>,
     .Set = setFloat<&TGaugeConfiguration::SetLmax>, .Min = 0, .Max = 40000, .ReadHint = "Считать Hу max из прибора",
     .WriteHint = "Записать Hу max в прибор", .StoresToRom = true, .OwnRead = true, .OwnWrite = true,
     .RangesFollow = true, .LockedWhilePolling = true, .AllParameters = Always, .SetDefault = 30000},
    {.Name = "KKalman", .Type = F, .ReadCode = KKalmanRead, .WriteCode = KKalmanWrite,
     .Get = get<&TGaugeConfiguration::KKalman>, .Set = setFloat<&TGaugeConfiguration::SetKKalman>, .Min = 0.01,
     .Max = 1, .ReadHint = "Считать коэффициент сглаживания из прибора",
     .WriteHint = "Записать коэффициент сглаживания в прибор", .StoresToRom = true, .OwnRead = true, .OwnWrite = true,
     .LockedWhilePolling = true, .AllParameters = Always, .SetDefault = 1},
    {.Name = "ODPM", .Type = F, .ReadCode = ODPMRead, .WriteCode = ODPMWrite, .Get = get<&TGaugeConfiguration::ODPM>,
     .Set = setFloat<&TGaugeConfiguration::SetODPM>, .Min = 1, .Max = 100,
     .ReadHint = "Считать относительную диэлектрическую проницаемость материала из прибора",
     .WriteHint = "Записать относительную диэлектрическую проницаемость материала в прибор", .StoresToRom = true,
     .Extended = true, .OwnRead = true, .OwnWrite = true, .Shown = FullModeExtended, .LockedWhilePolling = true,
     .AllParameters = Extended},
    {.Name = "KrPer", .Type = F, .ReadCode = KrPerRead, .WriteCode = KrPerWrite,
     .Get = get<&TGaugeConfiguration::KrPer>, .Set = setFloat<&TGaugeConfiguration::SetKrPer>, .Min = -Big,
     .Max = Big, .ReadHint = "Считать крутизну характеристики преобразования из прибора",
     .WriteHint = "Записать крутизну характеристики преобразования в прибор", .StoresToRom = true, .OwnRead = true,
     .OwnWrite = true, .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullMode, .SetDefault = 0},
    {.Name = "SmPer", .Type = F, .ReadCode = SmPerRead, .WriteCode = SmPerWrite,
     .Get = get<&TGaugeConfiguration::SmPer>, .Set = setFloat<&TGaugeConfiguration::SetSmPer>, .Min = -Big,
     .Max = Big, .ReadHint = "Считать смещение нуля из прибора", .WriteHint = "Записать смещение нуля в прибор",
     .StoresToRom = true, .OwnRead = true, .OwnWrite = true, .Shown = FullMode, .LockedWhilePolling = true,
     .AllParameters = FullMode, .SetDefault = 0},
    {.Name = "ProgramType", .Type = B, .ReadCode = ProgramTypeRead, .WriteCodeOf = programTypeCommand,
     .Get = getProgramType, .Set = setProgramType, .ReadHint = "Считать тип прибора",
     .WriteHint = "Записать тип прибора", .StoresToRom = true, .OwnRead = true, .OwnWrite = true, .Shown = FullMode,
     .LockedWhilePolling = true, .AllParameters = FullMode},
    {.Name = "Speed", .Type = F, .ReadCode = SpeedRead, .WriteCode = SpeedWrite,
     .Get = get<&TGaugeConfiguration::Speed>, .Set = setFloat<&TGaugeConfiguration::SetSpeed>, .Min = -Big,
     .Max = Big, .ReadHint = "Считать скорость изменения уровня продукта",
     .WriteHint = "Записать скорость изменения уровня продукта", .StoresToRom = true, .Extended = true,
     .OwnRead = true, .OwnWrite = true, .Shown = FullModeExtended, .LockedWhilePolling = true,
     .AllParameters = FullModeExtended},
    {.Name = "KrFChH", .Type = F, .ReadCode = KrFChHRead, .WriteCode = KrFChHWrite,
     .Get = get<&TGaugeConfiguration::KrFChH>, .Set = setFloat<&TGaugeConfiguration::SetKrFChH>, .Min = -Big,
     .Max = Big, .ReadHint = "Считать крутизну ФЧХ", .WriteHint = "Записать крутизну ФЧХ", .StoresToRom = true,
     .Extended = true, .OwnRead = true, .OwnWrite = true, .Shown = FullModeExtended, .LockedWhilePolling = true,
     .AllParameters = FullModeExtended},
    {.Name = "SmFChH", .Type = F, .ReadCode = SmFChHRead, .WriteCode = SmFChHWrite,
     .Get = get<&TGaugeConfiguration::SmFChH>, .Set = setFloat<&TGaugeConfiguration::SetSmFChH>, .Min = -Big,
     .Max = Big, .ReadHint = "Считать смещение ФЧХ", .WriteHint = "Записать смещение ФЧХ", .StoresToRom = true,
     .Extended = true, .OwnRead = true, .OwnWrite = true, .Shown = FullModeExtended, .LockedWhilePolling = true,
     .AllParameters = FullModeExtended},
    {.Name = "CountBadZones", .Type = W, .ReadCode = CountBadZonesRead, .WriteCode = CountBadZonesWrite,
     .Get = get<&TGaugeConfiguration::CountBadZones>,
     .Set = setInteger<uint16_t, &TGaugeConfiguration::SetCountBadZones, 0, 65535>, .Min = 0, .Max = 5,
     .ReadHint = "Считать количество плохих зон", .WriteHint = "Записать количество плохих зон", .StoresToRom = true,
     .Extended = true, .OwnRead = true, .OwnWrite = true, .Shown = FullModeExtended, .LockedWhilePolling = true,
     .AllParameters = FullModeExtended},
    TOLM_ZONE_ROWS(1), TOLM_ZONE_ROWS(2), TOLM_ZONE_ROWS(3), TOLM_ZONE_ROWS(4), TOLM_ZONE_ROWS(5),
    // Shown and changed bit by bit by the parameters window's check boxes.
    {.Name = "VariantProcessing", .Type = W, .ReadCode = VariantProcessingRead, .WriteCode = VariantProcessingWrite,
     .Get = get<&TGaugeConfiguration::VariantProcessing>,
     .Set = setInteger<uint16_t, &TGaugeConfiguration::SetVariantProcessing, 0, 65535>,
     .ReadHint = "Считать вариант п/п обработки данных", .WriteHint = "Записать вариант п/п обработки данных",
     .StoresToRom = true, .Extended = true, .OwnRead = true, .OwnWrite = true, .Shown = FullModeExtended,
     .LockedWhilePolling = true, .AllParameters = FullModeExtended},
    {.Name = "FreqNes", .Type = F, .ReadCode = FreqNesRead, .WriteCode = FreqNesWrite,
     .Get = get<&TGaugeConfiguration::FreqNes>, .Set = setFloat<&TGaugeConfiguration::SetFreqNes>, .Min = -Frequency,
     .Max = Frequency, .ReadHint = "Считать несущую частоту из прибора",
     .WriteHint = "Записать несущую частоту в прибор", .StoresToRom = true, .Extended = true, .OwnRead = true,
     .OwnWrite = true, .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullModeExtended},
    {.Name = "FreqBeg", .Type = W, .ReadCode = FreqBegRead, .WriteCode = FreqBegWrite,
     .Get = get<&TGaugeConfiguration::FreqBeg>,
     .Set = setInteger<uint16_t, &TGaugeConfiguration::SetFreqBeg, 0, 65535>, .Min = 0, .Max = 65535,
     .ReadHint = "Считать начальную частоту обработки из прибора",
     .WriteHint = "Записать начальную частоту обработки в прибор", .StoresToRom = true, .Extended = true,
     .OwnRead = true, .OwnWrite = true, .Shown = FullMode, .LockedWhilePolling = true,
     .AllParameters = FullModeExtended},
    {.Name = "FreqDev", .Type = F, .ReadCode = FreqDevRead, .WriteCode = FreqDevWrite,
     .Get = get<&TGaugeConfiguration::FreqDev>, .Set = setFloat<&TGaugeConfiguration::SetFreqDev>, .Min = -Frequency,
     .Max = Frequency, .ReadHint = "Считать девиацию частоты из прибора",
     .WriteHint = "Записать девиацию частоты в прибор", .StoresToRom = true, .Extended = true, .OwnRead = true,
     .OwnWrite = true, .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullModeExtended},
    {.Name = "Radius", .Type = F, .ReadCode = RadiusRead, .WriteCode = RadiusWrite,
     .Get = get<&TGaugeConfiguration::Radius>, .Set = setFloat<&TGaugeConfiguration::SetRadius>, .Min = 0,
     .Max = 1000, .ReadHint = "Считать радиус волновода из прибора",
     .WriteHint = "Записать радиус волновода в прибор", .StoresToRom = true, .Extended = true, .OwnRead = true,
     .OwnWrite = true, .Shown = FullMode, .LockedWhilePolling = true, .AllParameters = FullModeExtended},
    {.Name = "MUP", .Type = W, .ReadCode = MUPRead, .WriteCode = MUPWrite, .Get = get<&TGaugeConfiguration::MUP>,
     .Set = setInteger<int, &TGaugeConfiguration::SetMUP, 0, 65535>, .Min = 1, .Max = 50,
     .ReadHint = "Считать минимальный уровень учитываемой помехи из прибора",
     .WriteHint = "Записать минимальный уровень учитываемой помехи в прибор", .StoresToRom = true, .Extended = true,
     .OwnRead = true, .OwnWrite = true, .Shown = FullModeExtended, .LockedWhilePolling = true,
     .AllParameters = FullModeExtended},

    {.Name = "LevelKalibr", .Type = F, .WriteCode = LevelKalibrWrite, .Get = get<&TGaugeConfiguration::LevelKalibr>,
     .Set = setFloat<&TGaugeConfiguration::SetLevelKalibr>, .Min = 0, .Max = 40000,
     .WriteHint = "Записать текущий уровень для калибровки в прибор", .StoresToRom = true, .OwnWrite = true,
     .LockedWhilePolling = true},
    // Written by the main window's prediction-mode commands.
    {.Name = "ModePrediction", .Type = B, .WriteCodeOf = modePredictionCommand,
     .Get = get<&TGaugeConfiguration::ModePrediction>,
     .Set = setInteger<int, &TGaugeConfiguration::SetModePrediction, 0, 255>,
     .WriteHint = "Записать режим предсказания", .StoresToRom = true},
    // The gauge whose plant number is PlantNumber takes this address and
    // answers from it; the address and plant number are no ПЗУ parameters.
    // The main window writes them with composite commands of their own.
    {.Name = "SystemAddressNew", .Type = B, .WriteCode = SystemAddressWrite,
     .Get = get<&TGaugeConfiguration::SystemAddressNew>,
     .Set = setInteger<uint8_t, &TGaugeConfiguration::SetSystemAddressNew, 0, 255>,
     .WriteHint = "Записать системный адрес в прибор"},
    {.Name = "PlantNumberNew", .Type = W, .WriteCode = PlantNumberWrite,
     .Get = get<&TGaugeConfiguration::PlantNumberNew>,
     .Set = setInteger<uint16_t, &TGaugeConfiguration::SetPlantNumberNew, 0, 65535>,
     .WriteHint = "Записать заводской номер в прибор"},
    // Only shown by the parameters window: the versions come with the
    // signature, the gain and the beat-frequency estimate with the readings.
    {.Name = "HardVersion", .Type = B, .Get = field<&TGaugeIdentity::HardVersion>, .Set = readOnly},
    {.Name = "SoftVersion", .Type = B, .Get = field<&TGaugeIdentity::SoftVersion>, .Set = readOnly},
    {.Name = "Usil", .Type = W, .Get = get<&TGaugeConfiguration::Usil>, .Set = readOnly},
    {.Name = "Freq", .Type = F, .Get = getFreq, .Set = readOnly},
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

// The group's command, or the parameter's own when it has one.
QString commandName(const TParameter &parameter, bool own)
{
    if (parameter.Group)
        return QString::fromLatin1(parameter.Group);
    return own ? QString::fromLatin1(parameter.Name) : QString();
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
    return commandName(parameter, parameter.OwnRead);
}

QString WriteCommandName(const TParameter &parameter)
{
    return commandName(parameter, parameter.OwnWrite);
}

bool ConditionHolds(TParameterCondition condition, const Ttolm472 &model, bool fullMode)
{
    switch (condition) {
    case Never: return false;
    case Always: return true;
    case Extended: return model.Identity.HasExtendedParameters();
    case FullMode: return fullMode;
    case FullModeExtended: return fullMode && model.Identity.HasExtendedParameters();
    }
    return false;
}
