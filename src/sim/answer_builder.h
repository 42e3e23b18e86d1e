#pragma once
// Well-formed answers of the gauge and of the current-loop meter, byte for
// byte as they leave the instrument, checksum included. The simulated gauge
// builds every answer here; tests of the answer parser use the same functions
// to feed it answers without a line.
//
// Gauge answer frame: address, function byte, data, CRC-16 low, CRC-16 high.
// Offset 2 is the count byte: as in the requests, it counts itself and the
// data bytes after it up to the CRC, so it is always (answer length - 4). The
// program's parser never reads it; the gauge puts it there so that a line
// monitor can frame the answer.
//
// Numbers: word = 16 bits high byte first; f32 = IEEE single, most
// significant byte first; i32 = two's complement, most significant byte
// first. "-" marks a byte the parser does not read (sent as 0).
//
//  Function                  Len  Offset: meaning
//  0x01 single value          11  3-6 f32 value; 7 -; 8 status
//  0x01 gain (selector 5)      9  3-4 word gain; 5 -; 6 status
//  0x02 all readings          29  3 f32 beat frequency; 7 f32 distance;
//                                 11 f32 level; 15 f32 free space;
//                                 19 f32 reserve; 23-24 word gain; 25 -;
//                                 26 status
//  0x10 echo                   7  3 0x55; 4 0xAA (the request's AA 55 swapped)
//  0x20/0x25/0x30 signature   10  0 address; 3 unit type; 4-5 word plant
//                                 number; 6 hardware version; 7 software
//                                 version
//  0x23 identification        15  0 address; 3 unit type; 4-5 word plant
//                                 number; 6 hardware version; 7 host software
//                                 version; 8 COS software version; 9-10 word
//                                 host CRC; 11-12 word COS CRC
//  0xA2/0xB1/0xB2/0xB3 ack     5  no data (count byte 1)
//  0xA8 data block           133  3-130 thirty-two values of four bytes:
//                                 i32 for the signal, f32 for the spectrum
//  0xB4 byte value             6  3 value (temperature: signed byte, °C)
//  0xB5 word parameter         7  3-4 word
//  0xB6 float parameter        9  3-6 f32
//  0xFA error answer           6  2 count byte 2; 3 error code
//                                 (1 command absent, 2 cannot be executed,
//                                  3 program analysis error)
//  0x04 register read      5+2n   2 byte count 2n; 3.. n words (the
//                                 register-read reply; the program does not
//                                 accept function 4)
//
// Current-loop meter answer (8 bytes, CRC-8 last):
//  0 0x01 meter address; 1 0x00; 2 0x01 channel; 3 0x02 data byte count;
//  4 0x00 channel state; 5-6 current as signed 16 bits, LOW byte first, in
//  hundredths of a milliampere; 7 CRC-8 of bytes 0-6.

#include "protocol/gauge_functions.h"

#include <QByteArray>
#include <cstdint>
#include <span>


// Values per data block and the sizes of the two arrays.
constexpr int DataBlockValues = 32;
constexpr int SpectrumSize = 512;
constexpr int SignalSize = 1024;

// The five readings of an all-readings answer, in their order on the wire.
struct TAllReadings
{
    double freq = 0;
    double distance = 0;
    double level = 0;
    double levelFree = 0;
    double reserve = 0;
    uint16_t gain = 0;
    uint8_t status = 0;
};

// What a signature-type answer (0x20, 0x25, 0x30) reports.
struct TSignature
{
    uint8_t unitType = 0;
    uint16_t plantNumber = 0;
    uint8_t hardVersion = 0;
    uint8_t softVersion = 0;
};

// What the identification answer (0x23) reports.
struct TIdentification
{
    uint8_t unitType = 0;
    uint16_t plantNumber = 0;
    uint8_t hardVersion = 0;
    uint8_t softVersionHost = 0;
    uint8_t softVersionCOS = 0;
    uint16_t crc16Host = 0;
    uint16_t crc16COS = 0;
};

QByteArray AnswerSingleValue(uint8_t address, double value, uint8_t status);
QByteArray AnswerGain(uint8_t address, uint16_t gain, uint8_t status);
QByteArray AnswerAllReadings(uint8_t address, const TAllReadings &readings);
QByteArray AnswerEcho(uint8_t address);
// function: GaugeFunction::Signature, SystemAddress or PlantNumber.
QByteArray AnswerSignature(uint8_t address, uint8_t function, const TSignature &signature);
QByteArray AnswerIdentification(uint8_t address, const TIdentification &identification);
// function: StoreToRom, Control, WordWrite or FloatWrite.
QByteArray AnswerAcknowledge(uint8_t address, uint8_t function);
// A block of the signal / of the spectrum: the first 32 values are sent,
// missing ones as 0.
QByteArray AnswerSignalBlock(uint8_t address, std::span<const int32_t> values);
QByteArray AnswerSpectrumBlock(uint8_t address, std::span<const float> values);
QByteArray AnswerByteValue(uint8_t address, uint8_t value);
QByteArray AnswerWordParameter(uint8_t address, uint16_t value);
QByteArray AnswerFloatParameter(uint8_t address, double value);
QByteArray AnswerError(uint8_t address, uint8_t code);
QByteArray AnswerRegisters(uint8_t address, std::span<const uint16_t> registers);

// The meter's answer for a current in milliamperes: rounded to hundredths and
// limited to what 16 signed bits hold (-327.68 to 327.67 mA); not a number
// gives 0.
QByteArray AnswerMeterCurrent(double milliamps);
