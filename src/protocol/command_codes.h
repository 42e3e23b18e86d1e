#pragma once
// Command codes: one byte, 0 to 102, naming every request inside the
// program. Windows and the polling pass pass codes, never raw bytes; the
// gauge sees only the function byte and data that a code produces.

#include <QString>
#include <cstdint>

enum TCommand : uint8_t {
    BeatFreqRead = 0,
    DistanceRead = 1,
    LevelRead = 2,
    LevelFreeRead = 3,
    ReserveRead = 4,
    UsilRead = 5,
    LevelAllRead = 6,
    Echo = 7,
    SignatureRead = 8,
    IdentificationRead = 9,
    SystemAddressWrite = 10,
    PlantNumberWrite = 11,
    WriteToPZU = 12,
    DataBlockRead = 13,
    SignalReadInit = 14,
    SpectrumReadInit = 15,
    TrainingModeStart = 16,
    CorrectionModeStart = 17,
    InitReadStop = 18,
    Init = 19,
    ModePrediction0 = 20,
    ModePrediction1 = 21,
    ModePrediction2 = 22,
    ProgramTypeWrite11 = 23,
    ProgramTypeWrite12 = 24,
    VariantProcessingWrite = 25,
    CountBadZonesWrite = 26,
    FreqBegWrite = 27,
    MUPWrite = 28,
    KrPerWrite = 29,
    SmPerWrite = 30,
    HmaxWrite = 31,
    LmaxWrite = 32,
    KKalmanWrite = 33,
    SpeedWrite = 34,
    LevelKalibrWrite = 35,
    BadZoneNearWrite1 = 36,  // to BadZoneNearWrite5 = 40
    BadZoneFarWrite1 = 41,   // to 45
    BadZoneFillWrite1 = 46,  // to 50
    BadZoneEmptyWrite1 = 51, // to 55
    KrFChHWrite = 56,
    SmFChHWrite = 57,
    RadiusWrite = 58,
    FreqNesWrite = 59,
    FreqDevWrite = 60,
    ODPMWrite = 61,
    ByteParam10Read = 62,
    TempRead = 63,
    ProgramTypeRead = 64,
    VariantProcessingRead = 65,
    CountBadZonesRead = 66,
    FreqBegRead = 67,
    MUPRead = 68,
    KrPerRead = 69,
    SmPerRead = 70,
    HmaxRead = 71,
    LmaxRead = 72,
    KKalmanRead = 73,
    SpeedRead = 74,
    BadZoneNearRead1 = 75,  // to 79
    BadZoneFarRead1 = 80,   // to 84
    BadZoneFillRead1 = 85,  // to 89
    BadZoneEmptyRead1 = 90, // to 94
    KrFChHRead = 95,
    SmFChHRead = 96,
    RadiusRead = 97,
    FreqNesRead = 98,
    FreqDevRead = 99,
    ODPMRead = 100,
    // 101 is not a gauge command: the polling pass uses it to archive the
    // current-loop meter's reading.
    CurrentOutputReading = 101,
    RegistersRead = 102,
};

constexpr int CommandCount = 103; // codes 0..102

// The command's name in the program ("HmaxRead", "BadZoneNearWrite3", ...);
// empty for 101 and codes above 102.
QString CommandName(int code);
// The code of a command name (case-sensitive), or -1.
int CommandByName(const QString &name);
