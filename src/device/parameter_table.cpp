#include "device/parameter_table.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"

#include <array>
#include <cmath>

namespace {

using Float = double (Ttolm472::*)() const;

// A whole number within [lo, hi] goes through the model's setter; anything
// else is refused as the setters refuse out-of-range values.
template <typename Arg, void (Ttolm472::*Setter)(Arg), long Lo, long Hi>
void setInteger(Ttolm472 &m, double v)
{
    if (std::isfinite(v) && v == std::floor(v) && v >= Lo && v <= Hi)
        (m.*Setter)(static_cast<Arg>(v));
}

template <void (Ttolm472::*Setter)(double)>
void setFloat(Ttolm472 &m, double v)
{
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

const char *const BadZonesRead = "Считать информацию о плохих зонах";
const char *const BadZonesWrite = "Записать информацию о плохих зонах";

#define TOLM_ZONE_ROWS(N)                                                                                            \
    TParameter{"BadZoneNear" #N,  F, BadZoneNearRead1 + N - 1,  BadZoneNearWrite1 + N - 1,  nullptr,                \
               getZone<&TBadZone::Near, N>,       setZone<&TBadZone::Near, N>,       BadZonesRead, BadZonesWrite,   \
               true, true},                                                                                          \
    TParameter{"BadZoneFar" #N,   F, BadZoneFarRead1 + N - 1,   BadZoneFarWrite1 + N - 1,   nullptr,                \
               getZone<&TBadZone::Far, N>,        setZone<&TBadZone::Far, N>,        BadZonesRead, BadZonesWrite,   \
               true, true},                                                                                          \
    TParameter{"BadZoneFill" #N,  F, BadZoneFillRead1 + N - 1,  BadZoneFillWrite1 + N - 1,  nullptr,                \
               getZone<&TBadZone::FillSpeed, N>,  setZone<&TBadZone::FillSpeed, N>,  BadZonesRead, BadZonesWrite,   \
               true, true},                                                                                          \
    TParameter{"BadZoneEmpty" #N, F, BadZoneEmptyRead1 + N - 1, BadZoneEmptyWrite1 + N - 1, nullptr,                \
               getZone<&TBadZone::EmptySpeed, N>, setZone<&TBadZone::EmptySpeed, N>, BadZonesRead, BadZonesWrite,   \
               true, true}

// clang-format off
const TParameter Rows[] = {
    {"Hmax", F, HmaxRead, HmaxWrite, nullptr, get<&Ttolm472::Hmax>, setFloat<&Ttolm472::SetHmax>,
     "Считать Hmax из прибора", "Записать Hmax в прибор", true, false},
    {"Lmax", F, LmaxRead, LmaxWrite, nullptr, get<&Ttolm472::Lmax>, setFloat<&Ttolm472::SetLmax>,
     "Считать Hу max из прибора", "Записать Hу max в прибор", true, false},
    {"KKalman", F, KKalmanRead, KKalmanWrite, nullptr, get<&Ttolm472::KKalman>, setFloat<&Ttolm472::SetKKalman>,
     "Считать коэффициент сглаживания из прибора", "Записать коэффициент сглаживания в прибор", true, false},
    {"KrPer", F, KrPerRead, KrPerWrite, nullptr, get<&Ttolm472::KrPer>, setFloat<&Ttolm472::SetKrPer>,
     "Считать крутизну характеристики преобразования из прибора",
     "Записать крутизну характеристики преобразования в прибор", true, false},
    {"SmPer", F, SmPerRead, SmPerWrite, nullptr, get<&Ttolm472::SmPer>, setFloat<&Ttolm472::SetSmPer>,
     "Считать смещение нуля из прибора", "Записать смещение нуля в прибор", true, false},
    {"LevelKalibr", F, -1, LevelKalibrWrite, nullptr, get<&Ttolm472::LevelKalibr>,
     setFloat<&Ttolm472::SetLevelKalibr>, "", "Записать текущий уровень для калибровки в прибор", true, false},
    {"ProgramType", B, ProgramTypeRead, -1, programTypeCommand, getProgramType, setProgramType,
     "Считать тип прибора", "Записать тип прибора", true, false},
    {"Speed", F, SpeedRead, SpeedWrite, nullptr, get<&Ttolm472::Speed>, setFloat<&Ttolm472::SetSpeed>,
     "Считать скорость изменения уровня продукта", "Записать скорость изменения уровня продукта", true, true},
    {"KrFChH", F, KrFChHRead, KrFChHWrite, nullptr, get<&Ttolm472::KrFChH>, setFloat<&Ttolm472::SetKrFChH>,
     "Считать крутизну ФЧХ", "Записать крутизну ФЧХ", true, true},
    {"SmFChH", F, SmFChHRead, SmFChHWrite, nullptr, get<&Ttolm472::SmFChH>, setFloat<&Ttolm472::SetSmFChH>,
     "Считать смещение ФЧХ", "Записать смещение ФЧХ", true, true},
    {"CountBadZones", W, CountBadZonesRead, CountBadZonesWrite, nullptr, get<&Ttolm472::CountBadZones>,
     setInteger<uint16_t, &Ttolm472::SetCountBadZones, 0, 65535>,
     "Считать количество плохих зон", "Записать количество плохих зон", true, true},
    {"VariantProcessing", W, VariantProcessingRead, VariantProcessingWrite, nullptr,
     get<&Ttolm472::VariantProcessing>, setInteger<uint16_t, &Ttolm472::SetVariantProcessing, 0, 65535>,
     "Считать вариант п/п обработки данных", "Записать вариант п/п обработки данных", true, true},
    {"FreqNes", F, FreqNesRead, FreqNesWrite, nullptr, get<&Ttolm472::FreqNes>, setFloat<&Ttolm472::SetFreqNes>,
     "Считать несущую частоту из прибора", "Записать несущую частоту в прибор", true, true},
    {"FreqDev", F, FreqDevRead, FreqDevWrite, nullptr, get<&Ttolm472::FreqDev>, setFloat<&Ttolm472::SetFreqDev>,
     "Считать девиацию частоты из прибора", "Записать девиацию частоты в прибор", true, true},
    {"FreqBeg", W, FreqBegRead, FreqBegWrite, nullptr, get<&Ttolm472::FreqBeg>,
     setInteger<uint16_t, &Ttolm472::SetFreqBeg, 0, 65535>,
     "Считать начальную частоту обработки из прибора", "Записать начальную частоту обработки в прибор", true, true},
    {"Radius", F, RadiusRead, RadiusWrite, nullptr, get<&Ttolm472::Radius>, setFloat<&Ttolm472::SetRadius>,
     "Считать радиус волновода из прибора", "Записать радиус волновода в прибор", true, true},
    {"ODPM", F, ODPMRead, ODPMWrite, nullptr, get<&Ttolm472::ODPM>, setFloat<&Ttolm472::SetODPM>,
     "Считать относительную диэлектрическую проницаемость материала из прибора",
     "Записать относительную диэлектрическую проницаемость материала в прибор", true, true},
    {"MUP", W, MUPRead, MUPWrite, nullptr, get<&Ttolm472::MUP>, setInteger<int, &Ttolm472::SetMUP, 0, 65535>,
     "Считать минимальный уровень учитываемой помехи из прибора",
     "Записать минимальный уровень учитываемой помехи в прибор", true, true},
    {"ModePrediction", B, -1, -1, modePredictionCommand, get<&Ttolm472::ModePrediction>,
     setInteger<int, &Ttolm472::SetModePrediction, 0, 255>, "", "Записать режим предсказания", true, false},
    // The signature answer carries the plant number (and the versions).
    {"PlantNumber", W, SignatureRead, -1, nullptr, get<&Ttolm472::PlantNumber>,
     setInteger<uint16_t, &Ttolm472::SetPlantNumber, 0, 65535>, "Считать сигнатуру прибора", "", false, false},
    // The address the program talks to; changed in the program only.
    {"SystemAddress", B, -1, -1, nullptr, get<&Ttolm472::SystemAddress>,
     setInteger<uint8_t, &Ttolm472::SetSystemAddress, 0, 255>, "", "", false, false},
    // The gauge whose plant number is PlantNumber takes this address and
    // answers from it; the address and plant number are no ПЗУ parameters.
    {"SystemAddressNew", B, -1, SystemAddressWrite, nullptr, get<&Ttolm472::SystemAddressNew>,
     setInteger<uint8_t, &Ttolm472::SetSystemAddressNew, 0, 255>, "", "Записать системный адрес в прибор", false,
     false},
    {"PlantNumberNew", W, -1, PlantNumberWrite, nullptr, get<&Ttolm472::PlantNumberNew>,
     setInteger<uint16_t, &Ttolm472::SetPlantNumberNew, 0, 65535>, "", "Записать заводской номер в прибор", false,
     false},
    TOLM_ZONE_ROWS(1), TOLM_ZONE_ROWS(2), TOLM_ZONE_ROWS(3), TOLM_ZONE_ROWS(4), TOLM_ZONE_ROWS(5),
};
// clang-format on

#undef TOLM_ZONE_ROWS

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
