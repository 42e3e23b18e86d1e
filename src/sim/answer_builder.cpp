#include "sim/answer_builder.h"

#include "protocol/frame.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Address and function, then the count byte that covers itself and the data
// still to be appended; the caller passes the data length in advance.
QByteArray head(uint8_t address, uint8_t function, int dataBytes)
{
    QByteArray out;
    out.reserve(dataBytes + 5);
    out.append(char(address));
    out.append(char(function));
    out.append(char(uint8_t(dataBytes + 1)));
    return out;
}

// A double beyond the range of a single goes out as an infinity, the way
// the gauge's own arithmetic would overflow.
void appendF32(QByteArray &out, double value)
{
    constexpr double maxSingle = std::numeric_limits<float>::max();
    if (std::isfinite(value) && std::fabs(value) > maxSingle)
        value = value > 0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    AppendSingle(out, value);
}

} // namespace

QByteArray AnswerSingleValue(uint8_t address, double value, uint8_t status)
{
    QByteArray out = head(address, GaugeFunction::ReadValue, 6);
    appendF32(out, value);
    out.append('\0');
    out.append(char(status));
    return AppendCrc16(out);
}

QByteArray AnswerGain(uint8_t address, uint16_t gain, uint8_t status)
{
    QByteArray out = head(address, GaugeFunction::ReadValue, 4);
    AppendWord(out, gain);
    out.append('\0');
    out.append(char(status));
    return AppendCrc16(out);
}

QByteArray AnswerAllReadings(uint8_t address, const TAllReadings &r)
{
    QByteArray out = head(address, GaugeFunction::ReadAll, 24);
    for (double v : {r.freq, r.distance, r.level, r.levelFree, r.reserve})
        appendF32(out, v);
    AppendWord(out, r.gain);
    out.append('\0');
    out.append(char(r.status));
    return AppendCrc16(out);
}

QByteArray AnswerEcho(uint8_t address)
{
    QByteArray out = head(address, GaugeFunction::Echo, 2);
    out.append(char(0x55));
    out.append(char(0xAA));
    return AppendCrc16(out);
}

QByteArray AnswerSignature(uint8_t address, uint8_t function, const TSignature &s)
{
    QByteArray out = head(address, function, 5);
    out.append(char(s.unitType));
    AppendWord(out, s.plantNumber);
    out.append(char(s.hardVersion));
    out.append(char(s.softVersion));
    return AppendCrc16(out);
}

QByteArray AnswerIdentification(uint8_t address, const TIdentification &id)
{
    QByteArray out = head(address, GaugeFunction::Identification, 10);
    out.append(char(id.unitType));
    AppendWord(out, id.plantNumber);
    out.append(char(id.hardVersion));
    out.append(char(id.softVersionHost));
    out.append(char(id.softVersionCOS));
    AppendWord(out, id.crc16Host);
    AppendWord(out, id.crc16COS);
    return AppendCrc16(out);
}

QByteArray AnswerAcknowledge(uint8_t address, uint8_t function)
{
    return AppendCrc16(head(address, function, 0));
}

QByteArray AnswerSignalBlock(uint8_t address, std::span<const int32_t> values)
{
    QByteArray out = head(address, GaugeFunction::DataBlock, 4 * DataBlockValues);
    for (int j = 0; j < DataBlockValues; ++j)
        AppendLongInt(out, j < int(values.size()) ? values[j] : 0);
    return AppendCrc16(out);
}

QByteArray AnswerSpectrumBlock(uint8_t address, std::span<const float> values)
{
    QByteArray out = head(address, GaugeFunction::DataBlock, 4 * DataBlockValues);
    for (int j = 0; j < DataBlockValues; ++j)
        appendF32(out, j < int(values.size()) ? values[j] : 0.0f);
    return AppendCrc16(out);
}

QByteArray AnswerByteValue(uint8_t address, uint8_t value)
{
    QByteArray out = head(address, GaugeFunction::ByteRead, 1);
    out.append(char(value));
    return AppendCrc16(out);
}

QByteArray AnswerWordParameter(uint8_t address, uint16_t value)
{
    QByteArray out = head(address, GaugeFunction::WordRead, 2);
    AppendWord(out, value);
    return AppendCrc16(out);
}

QByteArray AnswerFloatParameter(uint8_t address, double value)
{
    QByteArray out = head(address, GaugeFunction::FloatRead, 4);
    appendF32(out, value);
    return AppendCrc16(out);
}

QByteArray AnswerError(uint8_t address, uint8_t code)
{
    QByteArray out = head(address, GaugeFunction::Error, 1);
    out.append(char(code));
    return AppendCrc16(out);
}

QByteArray AnswerRegisters(uint8_t address, std::span<const uint16_t> registers)
{
    // The register-read reply counts only its data bytes at offset 2.
    QByteArray out;
    out.append(char(address));
    out.append(char(GaugeFunction::ReadRegisters));
    out.append(char(uint8_t(2 * registers.size())));
    for (uint16_t r : registers)
        AppendWord(out, r);
    return AppendCrc16(out);
}

QByteArray AnswerMeterCurrent(double milliamps)
{
    const double scaled = std::isfinite(milliamps) ? std::round(milliamps * 100.0) : 0.0;
    const double hundredths = std::clamp(scaled, -32768.0, 32767.0);
    const auto raw = static_cast<uint16_t>(static_cast<int16_t>(hundredths));
    QByteArray out;
    out.append(char(0x01));
    out.append(char(0x00));
    out.append(char(0x01));
    out.append(char(0x02));
    out.append(char(0x00));
    out.append(char(raw & 0xFF));
    out.append(char(raw >> 8));
    return AppendCrc8(out);
}

