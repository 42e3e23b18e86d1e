#include "protocol/frame.h"

#include <cstring>

uint16_t Crc16(const QByteArray &frame)
{
    uint16_t crc = 0xFFFF;
    for (char c : frame) {
        crc ^= static_cast<uint8_t>(c);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

bool CheckCrc16(const QByteArray &answer)
{
    if (answer.size() <= 2)
        return false;
    const int n = int(answer.size()) - 2;
    const uint16_t crc = Crc16(answer.left(n));
    return ByteAt(answer, n) == (crc & 0xFF) && ByteAt(answer, n + 1) == (crc >> 8);
}

QByteArray AppendCrc16(const QByteArray &payload)
{
    const uint16_t crc = Crc16(payload);
    QByteArray out = payload;
    out.append(char(crc & 0xFF));
    out.append(char(crc >> 8));
    return out;
}

uint8_t Crc8(const QByteArray &frame)
{
    uint8_t crc = 0xFF;
    for (char c : frame) {
        uint8_t data = static_cast<uint8_t>(c);
        for (int i = 0; i < 8; ++i) {
            const uint8_t m = (crc ^ data) & 1;
            if (m)
                crc ^= 0x18;
            crc = uint8_t((crc >> 1) | (m << 7));
            data >>= 1;
        }
    }
    return crc;
}

bool CheckCrc8(const QByteArray &answer)
{
    if (answer.size() < 3)
        return false;
    const int n = int(answer.size()) - 1;
    return ByteAt(answer, n) == Crc8(answer.left(n));
}

QByteArray AppendCrc8(const QByteArray &payload)
{
    QByteArray out = payload;
    out.append(char(Crc8(payload)));
    return out;
}

QString BytesToHex(const QByteArray &frame)
{
    return QString::fromLatin1(frame.toHex(' ').toUpper());
}

QString BytesToDec(const QByteArray &frame, bool zeroPad)
{
    QString out;
    out.reserve(frame.size() * 4);
    for (int i = 0; i < frame.size(); ++i) {
        if (i)
            out += QLatin1Char(' ');
        const int b = ByteAt(frame, i);
        out += zeroPad ? QStringLiteral("%1").arg(b, 3, 10, QLatin1Char('0')) : QString::number(b);
    }
    return out;
}

QString RenderFrame(const QByteArray &frame, int radix, bool zeroPadDecimal)
{
    return radix == 16 ? BytesToHex(frame) : BytesToDec(frame, zeroPadDecimal);
}

float BytesToSingle(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3)
{
    const uint32_t bits = uint32_t(b0) << 24 | uint32_t(b1) << 16 | uint32_t(b2) << 8 | b3;
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void SingleToBytes(float value, uint8_t b[4])
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    b[0] = uint8_t(bits >> 24);
    b[1] = uint8_t(bits >> 16);
    b[2] = uint8_t(bits >> 8);
    b[3] = uint8_t(bits);
}

int32_t BytesToLongInt(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3)
{
    return static_cast<int32_t>(uint32_t(b0) << 24 | uint32_t(b1) << 16 | uint32_t(b2) << 8 | b3);
}

uint16_t BytesToWord(uint8_t low, uint8_t high)
{
    return uint16_t(high << 8 | low);
}

uint32_t SetBit(uint32_t value, int bit, bool on)
{
    if (bit < 0 || bit > 31)
        return value;
    const uint32_t mask = uint32_t(1) << bit;
    return on ? (value | mask) : (value & ~mask);
}

bool TestBit(uint32_t value, int bit)
{
    return bit >= 0 && bit <= 31 && (value >> bit) & 1;
}

QByteArray BytesToText(const QByteArray &bytes) { return bytes; }
QByteArray TextToBytes(const QByteArray &text) { return text; }

void AppendWord(QByteArray &frame, uint16_t value)
{
    frame.append(char(value >> 8));
    frame.append(char(value & 0xFF));
}

void AppendSingle(QByteArray &frame, double value)
{
    uint8_t b[4];
    SingleToBytes(static_cast<float>(value), b);
    frame.append(reinterpret_cast<const char *>(b), 4);
}

void AppendLongInt(QByteArray &frame, int32_t value)
{
    const uint32_t u = static_cast<uint32_t>(value);
    frame.append(char(u >> 24));
    frame.append(char(u >> 16));
    frame.append(char(u >> 8));
    frame.append(char(u));
}
