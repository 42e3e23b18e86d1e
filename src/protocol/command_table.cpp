#include "protocol/command_table.h"

#include "protocol/command_codes.h"

#include <array>

using namespace std::literals;

namespace {

using T = TRequestTail;
using C = TRequestContext;

// Indexed by command code. Columns: name, function, fixed data, tail,
// recorded context, its number (and control argument).
constexpr std::array<TCommandRow, CommandCount> Rows = {{
    /*   0 */ {"BeatFreqRead"sv, 0x01, "\x02\x00"sv, T::None, C::ReadSelector, 0},
    /*   1 */ {"DistanceRead"sv, 0x01, "\x02\x01"sv, T::None, C::ReadSelector, 1},
    /*   2 */ {"LevelRead"sv, 0x01, "\x02\x02"sv, T::None, C::ReadSelector, 2},
    /*   3 */ {"LevelFreeRead"sv, 0x01, "\x02\x03"sv, T::None, C::ReadSelector, 3},
    /*   4 */ {"ReserveRead"sv, 0x01, "\x02\x04"sv, T::None, C::ReadSelector, 4},
    /*   5 */ {"UsilRead"sv, 0x01, "\x02\x05"sv, T::None, C::ReadSelector, 5},
    /*   6 */ {"LevelAllRead"sv, 0x02, "\x01"sv},
    /*   7 */ {"Echo"sv, 0x10, "\x03\xAA\x55"sv},
    /*   8 */ {"SignatureRead"sv, 0x20, "\x01"sv},
    /*   9 */ {"IdentificationRead"sv, 0x23, "\x01"sv},
    /*  10 */ {"SystemAddressWrite"sv, 0x25, "\x05\x0B"sv, T::AddressChange},
    /*  11 */ {"PlantNumberWrite"sv, 0x30, "\x03"sv, T::NewPlantNumber},
    /*  12 */ {"WriteToPZU"sv, 0xA2, "\x01"sv},
    /*  13 */ {"DataBlockRead"sv, 0xA8, "\x04"sv, T::BlockOffset},
    /*  14 */ {"SignalReadInit"sv, 0xB1, "\x03\x14\x14"sv, T::None, C::ControlAndArrayKind, 20, 20},
    /*  15 */ {"SpectrumReadInit"sv, 0xB1, "\x03\x14\x1E"sv, T::None, C::ControlAndArrayKind, 20, 30},
    /*  16 */ {"TrainingModeStart"sv, 0xB1, "\x03\x14\x32"sv, T::None, C::ControlAndArrayKind, 20, 50},
    /*  17 */ {"CorrectionModeStart"sv, 0xB1, "\x03\x14\x34"sv, T::None, C::ControlAndArrayKind, 20, 52},
    // InitReadStop deselects the array: block reads are refused until the next init.
    /*  18 */ {"InitReadStop"sv, 0xB1, "\x03\x28\x28"sv, T::None, C::ControlAndArrayKind, 40, 0},
    // Init records only its group: an array selected before it stays selected.
    /*  19 */ {"Init"sv, 0xB1, "\x03\x32\x32"sv, T::None, C::ControlGroup, 50},
    /*  20 */ {"ModePrediction0"sv, 0xB1, "\x03\x3C\x00"sv, T::None, C::ControlAndArrayKind, 60, 0},
    /*  21 */ {"ModePrediction1"sv, 0xB1, "\x03\x3C\x01"sv, T::None, C::ControlAndArrayKind, 60, 1},
    /*  22 */ {"ModePrediction2"sv, 0xB1, "\x03\x3C\x02"sv, T::None, C::ControlAndArrayKind, 60, 2},
    /*  23 */ {"ProgramTypeWrite11"sv, 0xB1, "\x03\x64\x0B"sv, T::None, C::ControlAndArrayKind, 100, 11},
    /*  24 */ {"ProgramTypeWrite12"sv, 0xB1, "\x03\x64\x0C"sv, T::None, C::ControlAndArrayKind, 100, 12},
    /*  25 */ {"VariantProcessingWrite"sv, 0xB2, "\x04\x00"sv, T::WordParameter, C::WordParam, 0},
    /*  26 */ {"CountBadZonesWrite"sv, 0xB2, "\x04\x04"sv, T::WordParameter, C::WordParam, 4},
    /*  27 */ {"FreqBegWrite"sv, 0xB2, "\x04\x06"sv, T::WordParameter, C::WordParam, 6},
    /*  28 */ {"MUPWrite"sv, 0xB2, "\x04\x08"sv, T::WordParameter, C::WordParam, 8},
    /*  29 */ {"KrPerWrite"sv, 0xB3, "\x06\x00"sv, T::FloatParameter, C::FloatParam, 0},
    /*  30 */ {"SmPerWrite"sv, 0xB3, "\x06\x01"sv, T::FloatParameter, C::FloatParam, 1},
    /*  31 */ {"HmaxWrite"sv, 0xB3, "\x06\x02"sv, T::FloatParameter, C::FloatParam, 2},
    /*  32 */ {"LmaxWrite"sv, 0xB3, "\x06\x03"sv, T::FloatParameter, C::FloatParam, 3},
    /*  33 */ {"KKalmanWrite"sv, 0xB3, "\x06\x04"sv, T::FloatParameter, C::FloatParam, 4},
    /*  34 */ {"SpeedWrite"sv, 0xB3, "\x06\x06"sv, T::FloatParameter, C::FloatParam, 6},
    /*  35 */ {"LevelKalibrWrite"sv, 0xB3, "\x06\x0A"sv, T::FloatParameter, C::FloatParam, 10},
    /*  36 */ {"BadZoneNearWrite1"sv, 0xB3, "\x06\x14"sv, T::FloatParameter, C::FloatParam, 20},
    /*  37 */ {"BadZoneNearWrite2"sv, 0xB3, "\x06\x15"sv, T::FloatParameter, C::FloatParam, 21},
    /*  38 */ {"BadZoneNearWrite3"sv, 0xB3, "\x06\x16"sv, T::FloatParameter, C::FloatParam, 22},
    /*  39 */ {"BadZoneNearWrite4"sv, 0xB3, "\x06\x17"sv, T::FloatParameter, C::FloatParam, 23},
    /*  40 */ {"BadZoneNearWrite5"sv, 0xB3, "\x06\x18"sv, T::FloatParameter, C::FloatParam, 24},
    /*  41 */ {"BadZoneFarWrite1"sv, 0xB3, "\x06\x1E"sv, T::FloatParameter, C::FloatParam, 30},
    /*  42 */ {"BadZoneFarWrite2"sv, 0xB3, "\x06\x1F"sv, T::FloatParameter, C::FloatParam, 31},
    /*  43 */ {"BadZoneFarWrite3"sv, 0xB3, "\x06\x20"sv, T::FloatParameter, C::FloatParam, 32},
    /*  44 */ {"BadZoneFarWrite4"sv, 0xB3, "\x06\x21"sv, T::FloatParameter, C::FloatParam, 33},
    /*  45 */ {"BadZoneFarWrite5"sv, 0xB3, "\x06\x22"sv, T::FloatParameter, C::FloatParam, 34},
    /*  46 */ {"BadZoneFillWrite1"sv, 0xB3, "\x06\x28"sv, T::FloatParameter, C::FloatParam, 40},
    /*  47 */ {"BadZoneFillWrite2"sv, 0xB3, "\x06\x29"sv, T::FloatParameter, C::FloatParam, 41},
    /*  48 */ {"BadZoneFillWrite3"sv, 0xB3, "\x06\x2A"sv, T::FloatParameter, C::FloatParam, 42},
    /*  49 */ {"BadZoneFillWrite4"sv, 0xB3, "\x06\x2B"sv, T::FloatParameter, C::FloatParam, 43},
    /*  50 */ {"BadZoneFillWrite5"sv, 0xB3, "\x06\x2C"sv, T::FloatParameter, C::FloatParam, 44},
    /*  51 */ {"BadZoneEmptyWrite1"sv, 0xB3, "\x06\x32"sv, T::FloatParameter, C::FloatParam, 50},
    /*  52 */ {"BadZoneEmptyWrite2"sv, 0xB3, "\x06\x33"sv, T::FloatParameter, C::FloatParam, 51},
    /*  53 */ {"BadZoneEmptyWrite3"sv, 0xB3, "\x06\x34"sv, T::FloatParameter, C::FloatParam, 52},
    /*  54 */ {"BadZoneEmptyWrite4"sv, 0xB3, "\x06\x35"sv, T::FloatParameter, C::FloatParam, 53},
    /*  55 */ {"BadZoneEmptyWrite5"sv, 0xB3, "\x06\x36"sv, T::FloatParameter, C::FloatParam, 54},
    /*  56 */ {"KrFChHWrite"sv, 0xB3, "\x06\x3C"sv, T::FloatParameter, C::FloatParam, 60},
    /*  57 */ {"SmFChHWrite"sv, 0xB3, "\x06\x3D"sv, T::FloatParameter, C::FloatParam, 61},
    /*  58 */ {"RadiusWrite"sv, 0xB3, "\x06\x3E"sv, T::FloatParameter, C::FloatParam, 62},
    /*  59 */ {"FreqNesWrite"sv, 0xB3, "\x06\x3F"sv, T::FloatParameter, C::FloatParam, 63},
    /*  60 */ {"FreqDevWrite"sv, 0xB3, "\x06\x40"sv, T::FloatParameter, C::FloatParam, 64},
    /*  61 */ {"ODPMWrite"sv, 0xB3, "\x06\x41"sv, T::FloatParameter, C::FloatParam, 65},
    /*  62 */ {"ByteParam10Read"sv, 0xB4, "\x02\x0A"sv, T::None, C::ByteValue, 10},
    /*  63 */ {"TempRead"sv, 0xB4, "\x02\x14"sv, T::None, C::ByteValue, 20},
    /*  64 */ {"ProgramTypeRead"sv, 0xB4, "\x02\x64"sv, T::None, C::ByteValue, 100},
    /*  65 */ {"VariantProcessingRead"sv, 0xB5, "\x02\x00"sv, T::None, C::WordParamRead, 0},
    /*  66 */ {"CountBadZonesRead"sv, 0xB5, "\x02\x04"sv, T::None, C::WordParamRead, 4},
    /*  67 */ {"FreqBegRead"sv, 0xB5, "\x02\x06"sv, T::None, C::WordParamRead, 6},
    /*  68 */ {"MUPRead"sv, 0xB5, "\x02\x08"sv, T::None, C::WordParamRead, 8},
    /*  69 */ {"KrPerRead"sv, 0xB6, "\x02\x00"sv, T::None, C::FloatParamRead, 0},
    /*  70 */ {"SmPerRead"sv, 0xB6, "\x02\x01"sv, T::None, C::FloatParamRead, 1},
    /*  71 */ {"HmaxRead"sv, 0xB6, "\x02\x02"sv, T::None, C::FloatParamRead, 2},
    /*  72 */ {"LmaxRead"sv, 0xB6, "\x02\x03"sv, T::None, C::FloatParamRead, 3},
    /*  73 */ {"KKalmanRead"sv, 0xB6, "\x02\x04"sv, T::None, C::FloatParamRead, 4},
    /*  74 */ {"SpeedRead"sv, 0xB6, "\x02\x06"sv, T::None, C::FloatParamRead, 6},
    /*  75 */ {"BadZoneNearRead1"sv, 0xB6, "\x02\x14"sv, T::None, C::FloatParamRead, 20},
    /*  76 */ {"BadZoneNearRead2"sv, 0xB6, "\x02\x15"sv, T::None, C::FloatParamRead, 21},
    /*  77 */ {"BadZoneNearRead3"sv, 0xB6, "\x02\x16"sv, T::None, C::FloatParamRead, 22},
    /*  78 */ {"BadZoneNearRead4"sv, 0xB6, "\x02\x17"sv, T::None, C::FloatParamRead, 23},
    /*  79 */ {"BadZoneNearRead5"sv, 0xB6, "\x02\x18"sv, T::None, C::FloatParamRead, 24},
    /*  80 */ {"BadZoneFarRead1"sv, 0xB6, "\x02\x1E"sv, T::None, C::FloatParamRead, 30},
    /*  81 */ {"BadZoneFarRead2"sv, 0xB6, "\x02\x1F"sv, T::None, C::FloatParamRead, 31},
    /*  82 */ {"BadZoneFarRead3"sv, 0xB6, "\x02\x20"sv, T::None, C::FloatParamRead, 32},
    /*  83 */ {"BadZoneFarRead4"sv, 0xB6, "\x02\x21"sv, T::None, C::FloatParamRead, 33},
    /*  84 */ {"BadZoneFarRead5"sv, 0xB6, "\x02\x22"sv, T::None, C::FloatParamRead, 34},
    /*  85 */ {"BadZoneFillRead1"sv, 0xB6, "\x02\x28"sv, T::None, C::FloatParamRead, 40},
    /*  86 */ {"BadZoneFillRead2"sv, 0xB6, "\x02\x29"sv, T::None, C::FloatParamRead, 41},
    /*  87 */ {"BadZoneFillRead3"sv, 0xB6, "\x02\x2A"sv, T::None, C::FloatParamRead, 42},
    /*  88 */ {"BadZoneFillRead4"sv, 0xB6, "\x02\x2B"sv, T::None, C::FloatParamRead, 43},
    /*  89 */ {"BadZoneFillRead5"sv, 0xB6, "\x02\x2C"sv, T::None, C::FloatParamRead, 44},
    /*  90 */ {"BadZoneEmptyRead1"sv, 0xB6, "\x02\x32"sv, T::None, C::FloatParamRead, 50},
    /*  91 */ {"BadZoneEmptyRead2"sv, 0xB6, "\x02\x33"sv, T::None, C::FloatParamRead, 51},
    /*  92 */ {"BadZoneEmptyRead3"sv, 0xB6, "\x02\x34"sv, T::None, C::FloatParamRead, 52},
    /*  93 */ {"BadZoneEmptyRead4"sv, 0xB6, "\x02\x35"sv, T::None, C::FloatParamRead, 53},
    /*  94 */ {"BadZoneEmptyRead5"sv, 0xB6, "\x02\x36"sv, T::None, C::FloatParamRead, 54},
    /*  95 */ {"KrFChHRead"sv, 0xB6, "\x02\x3C"sv, T::None, C::FloatParamRead, 60},
    /*  96 */ {"SmFChHRead"sv, 0xB6, "\x02\x3D"sv, T::None, C::FloatParamRead, 61},
    /*  97 */ {"RadiusRead"sv, 0xB6, "\x02\x3E"sv, T::None, C::FloatParamRead, 62},
    /*  98 */ {"FreqNesRead"sv, 0xB6, "\x02\x3F"sv, T::None, C::FloatParamRead, 63},
    /*  99 */ {"FreqDevRead"sv, 0xB6, "\x02\x40"sv, T::None, C::FloatParamRead, 64},
    /* 100 */ {"ODPMRead"sv, 0xB6, "\x02\x41"sv, T::None, C::FloatParamRead, 65},
    /* 101 */ {}, // the current-loop meter's reading, not a gauge command
    /* 102 */ {"RegistersRead"sv, 0x04, "\x00\x00\x00\x0F"sv},
}};

} // namespace

const TCommandRow *CommandRow(int code)
{
    if (code < 0 || code >= CommandCount || Rows[code].name.empty())
        return nullptr;
    return &Rows[code];
}
