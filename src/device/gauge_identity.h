#pragma once
// Who the gauge on the line says it is: the versions and checksums of its
// signature and identification answers and its program type.

#include <QString>

#include <cstdint>

// The model a program type names: "ТОЛМ471И" for 11, "ТОЛМ472И" for 12,
// empty for any other.
QString ModelOfProgramType(int programType);

struct TGaugeIdentity {
    uint8_t HardVersion = 0;
    uint8_t SoftVersion = 0;
    uint8_t IdHardVersion = 0;
    uint8_t SoftVersionHost = 0;
    uint8_t SoftVersionCOS = 0;
    uint16_t CRC16Host = 0;
    uint16_t CRC16COS = 0;
    uint8_t ProgramType = 11; // 11 "ТОЛМ471И", 12 "ТОЛМ472И"
    bool Answered = false;    // a frame of the gauge was taken since the start

    bool HasExtendedParameters() const { return SoftVersion > 1; }
    // The gauge's model as its program type names it, "ТОЛМ471И" for 11 and
    // "ТОЛМ472И" for 12; empty for another type and before any gauge has
    // answered (the model's own title says nothing about the gauge).
    QString ModelName() const;
};
