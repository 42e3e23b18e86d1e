#pragma once
// Everything the simulated gauge keeps in its memory: the numbered word,
// float and byte parameters of the protocol, its addressing and its
// identity. A parameter number is known to the gauge exactly when it is a
// key of its map; writes and reads of any other number are refused.
//
// Word parameters:  0 processing variant, 4 bad zones in use,
//                   6 start frequency of processing, 8 minimal interference.
// Float parameters: 0 KrPer, 1 SmPer, 2 Hmax, 3 Lmax, 4 KKalman, 6 speed of
//                   the level, 10 calibration level, 20-24 / 30-34 / 40-44 /
//                   50-54 near border / far border / fill speed / drain speed
//                   of bad zones 1-5, 60 KrFChH, 61 SmFChH, 62 waveguide
//                   radius, 63 carrier frequency, 64 deviation, 65 ODPM.
// Byte values:      10 (a byte the program does not decode); 20 (temperature)
//                   and 100 (device type) are answered from live state.

#include <cstdint>
#include <map>

namespace WordParam {
constexpr uint8_t VariantProcessing = 0;
constexpr uint8_t CountBadZones = 4;
constexpr uint8_t FreqBeg = 6;
constexpr uint8_t MUP = 8;
} // namespace WordParam

namespace FloatParam {
constexpr uint8_t KrPer = 0;
constexpr uint8_t SmPer = 1;
constexpr uint8_t Hmax = 2;
constexpr uint8_t Lmax = 3;
constexpr uint8_t KKalman = 4;
constexpr uint8_t Speed = 6;
constexpr uint8_t LevelKalibr = 10;
constexpr uint8_t KrFChH = 60;
constexpr uint8_t SmFChH = 61;
constexpr uint8_t Radius = 62;
constexpr uint8_t FreqNes = 63;
constexpr uint8_t FreqDev = 64;
constexpr uint8_t ODPM = 65;
} // namespace FloatParam

namespace ByteValue {
constexpr uint8_t Param10 = 10;
constexpr uint8_t Temperature = 20;
constexpr uint8_t DeviceType = 100;
} // namespace ByteValue

struct TSimGaugeParameters
{
    uint8_t systemAddress = 255;
    uint16_t plantNumber = 1;
    uint8_t deviceType = 11; // 11 ТОЛМ471И, 12 ТОЛМ472И; also the unit type of signatures
    uint8_t hardVersion = 1;
    uint8_t softVersion = 2; // above 1: the gauge has the extended parameters
    uint8_t softVersionHost = 2;
    uint8_t softVersionCOS = 1;
    uint16_t crc16Host = 0x3A5C;
    uint16_t crc16COS = 0x9E21;
    uint8_t predictionMode = 0; // 0 constant, 1 filling, 2 draining

    std::map<uint8_t, uint16_t> words;
    std::map<uint8_t, float> floats;
    std::map<uint8_t, uint8_t> bytes;

    // A gauge as it leaves the factory: Hmax and Lmax 15000 mm, KKalman 1,
    // KrPer 146.243, SmPer 0, ODPM 1, MUP 1, five bad zones all at 0.
    TSimGaugeParameters();

    float floatParam(uint8_t number) const;
    uint16_t wordParam(uint8_t number) const;

    bool operator==(const TSimGaugeParameters &) const = default;
};
