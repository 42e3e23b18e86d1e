#pragma once
// Bytes on the gauge line: checksums, number packing and the text renderings
// used by the exchange log and the communication window.
//
// A frame is a QByteArray whose size is its byte count; 0x00 is an ordinary
// byte. Numbers on the gauge line travel most significant byte first, the
// CRC-16 trailer least significant byte first.

#include <QByteArray>
#include <QString>
#include <cstdint>

// CRC-16/MODBUS (init 0xFFFF, reflected poly 0xA001, no final XOR) over the
// whole string, whatever its length.
uint16_t Crc16(const QByteArray &frame);
// True when the answer is longer than 2 bytes and ends with the CRC-16 of the
// bytes before it, low byte first.
bool CheckCrc16(const QByteArray &answer);
// Appends the CRC-16 trailer (low byte, then high byte).
QByteArray AppendCrc16(const QByteArray &payload);

// CRC-8 of the current-loop meter (reflected 0x8C, init 0xFF, no final XOR).
uint8_t Crc8(const QByteArray &frame);
// True when the answer is at least 3 bytes long and its last byte is the
// CRC-8 of the bytes before it.
bool CheckCrc8(const QByteArray &answer);
QByteArray AppendCrc8(const QByteArray &payload);

// "01 10 03 AA 55": two upper-case digits a byte, one blank between bytes.
QString BytesToHex(const QByteArray &frame);
// "001 016 003" when zeroPad, "1 16 3" otherwise.
QString BytesToDec(const QByteArray &frame, bool zeroPad);
// The rendering chosen by the radix of the log and communication window:
// 16 gives hexadecimal, anything else decimal with the given padding.
QString RenderFrame(const QByteArray &frame, int radix, bool zeroPadDecimal);

// IEEE 754 single whose bit pattern is b0 b1 b2 b3, most significant first.
float BytesToSingle(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3);
// The inverse: b[0] is the most significant byte of the bit pattern.
void SingleToBytes(float value, uint8_t b[4]);
int32_t BytesToLongInt(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3);
// high * 256 + low.
uint16_t BytesToWord(uint8_t low, uint8_t high);

uint32_t SetBit(uint32_t value, int bit, bool on);
bool TestBit(uint32_t value, int bit);

// The request thread receives answers as byte arrays; both directions copy
// byte for byte.
QByteArray BytesToText(const QByteArray &bytes);
QByteArray TextToBytes(const QByteArray &text);

// Reads of multi-byte fields out of an answer, with the offsets of the wire
// tables. The caller has checked the length.
inline uint8_t ByteAt(const QByteArray &a, int i) { return static_cast<uint8_t>(a.at(i)); }
inline uint16_t WordAt(const QByteArray &a, int i) { return uint16_t(ByteAt(a, i) << 8 | ByteAt(a, i + 1)); }
inline float SingleAt(const QByteArray &a, int i)
{
    return BytesToSingle(ByteAt(a, i), ByteAt(a, i + 1), ByteAt(a, i + 2), ByteAt(a, i + 3));
}
inline int32_t LongIntAt(const QByteArray &a, int i)
{
    return BytesToLongInt(ByteAt(a, i), ByteAt(a, i + 1), ByteAt(a, i + 2), ByteAt(a, i + 3));
}
// Appends a 16-bit value high byte first / a float as four bytes, most
// significant first (the double is rounded to single precision).
void AppendWord(QByteArray &frame, uint16_t value);
void AppendSingle(QByteArray &frame, double value);
void AppendLongInt(QByteArray &frame, int32_t value);
