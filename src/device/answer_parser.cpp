// The gauge's answers: acceptance checks, then the payload by the answer's
// function byte and the request context that BuildRequest recorded.
//
// Answer frame: address, function byte, count byte, data, CRC-16 low, high.
// Offsets count from the address byte. An answer shorter than the length
// its request fixes (protocol/answer_layout.h) is a read error.
//
//  Function                  Offset: meaning
//  0x01 single value         3-6 f32 value; 8 status
//  0x01 gain (selector 5)    3-4 word gain; 6 status
//  0x02 all readings         3, 7, 11, 15, 19 f32 beat frequency, distance,
//                            level, free space, reserve; 23-24 word gain;
//                            26 status
//  0x10 echo                 3, 4 the request's AA 55 swapped
//  0x20/0x25/0x30 signature  0 address; 3 unit type; 4-5 word plant number;
//                            6 hardware, 7 software version
//  0x23 identification       as the signature up to 6; 7 host, 8 COS
//                            software version; 9-10, 11-12 word CRCs
//  0xA2/0xB1/0xB2/0xB3 ack   -
//  0xA8 data block           3-130 thirty-two i32 (signal) or f32 (spectrum)
//  0xB4 byte value           3 value byte (read, and its length checked, only
//                            for values 20 and 100)
//  0xB5 word parameter       3-4 word
//  0xB6 float parameter      3-6 f32
//  0xFA error answer         3 error code
// The bytes in between (offset 2, 7 of a single value, 5 of a gain, 25 of
// all readings) carry nothing the program uses and are not read.

#include "device/parameter_table.h"
#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/answer_layout.h"
#include "protocol/frame.h"
#include "protocol/gauge_functions.h"

#include <algorithm>
#include <iterator>

namespace {

// Value numbers of the byte-value read (0xB4) that carry a meaning.
constexpr uint8_t TemperatureValue = 20;
constexpr uint8_t DeviceTypeValue = 100;
constexpr uint8_t SignalKind = 20;
constexpr uint8_t SpectrumKind = 30;

void storeReading(TIODouble &value, double x)
{
    // Stamped now; every store notifies, even of an unchanged reading.
    value.SetValue(x);
}

// The status byte of a reading answer, judged before its values are used.
// False when the values are to be thrown away.
bool judgeStatus(Ttolm472 &m, uint8_t status, bool toStatusLog)
{
    m.LastErrorCode = status;
    if (toStatusLog && status != 0)
        m.LogBlackBox(status);
    if (IsCriticalStatus(status)) {
        m.CountError();
        if (m.ErrorLimitReached()) {
            m.ReportStatus(status, GaugeStatusText(status));
            return false;
        }
    } else if (IsNonCriticalStatus(status)) {
        m.ReportStatus(status, GaugeStatusText(status));
    }
    return true;
}

// After the values of a reading answer are stored. A critical status below
// the threshold still leaves the link up, but it stays counted: otherwise a
// gauge that keeps reporting it would reset its own count with every answer
// and never be reported at an ErrorMax above 1.
void acceptReading(Ttolm472 &m, uint8_t status)
{
    if (IsCriticalStatus(status))
        m.LinkState.SetValue(1);
    else
        m.Accept();
}

TIODouble *singleValueOf(Ttolm472 &m, uint8_t selector)
{
    switch (selector) {
    case 0: return &m.Freq;
    case 1: return &m.Distance;
    case 2: return &m.Level;
    case 3: return &m.LevelFree;
    case 4: return &m.Reserve;
    default: return nullptr;
    }
}

void readValue(Ttolm472 &m, const QByteArray &a)
{
    if (m.ReadSelector == GainSelector) {
        const uint8_t status = ByteAt(a, 6);
        if (!judgeStatus(m, status, true))
            return;
        m.SetUsil(WordAt(a, 3));
        acceptReading(m, status);
        return;
    }
    const uint8_t status = ByteAt(a, 8);
    if (!judgeStatus(m, status, true))
        return;
    if (TIODouble *value = singleValueOf(m, m.ReadSelector))
        storeReading(*value, SingleAt(a, 3));
    acceptReading(m, status);
}

void readAll(Ttolm472 &m, const QByteArray &a)
{
    const uint8_t status = ByteAt(a, 26);
    if (!judgeStatus(m, status, false))
        return;
    storeReading(m.Freq, SingleAt(a, 3));
    storeReading(m.Distance, SingleAt(a, 7));
    storeReading(m.Level, SingleAt(a, 11));
    storeReading(m.LevelFree, SingleAt(a, 15));
    storeReading(m.Reserve, SingleAt(a, 19));
    m.SetUsil(WordAt(a, 23));
    acceptReading(m, status);
}

void echo(Ttolm472 &m, const QByteArray &a)
{
    // The gauge answers the request's AA 55 swapped; one of the two bytes
    // in its place is taken as a live gauge.
    if (ByteAt(a, 3) == 0x55 || ByteAt(a, 4) == 0xAA)
        m.Accept();
    else
        m.Fail(StatusCode::ReadError, StatusText::ReadError);
}

void signature(Ttolm472 &m, const QByteArray &a)
{
    const uint8_t address = ByteAt(a, 0);
    const uint8_t unitType = ByteAt(a, 3);
    const uint16_t plantNumber = WordAt(a, 4);
    m.SetPlantNumber(plantNumber);
    m.HardVersion = ByteAt(a, 6);
    m.SoftVersion = ByteAt(a, 7);
    if (m.On32)
        m.On32(&m, address, unitType, plantNumber, m.HardVersion, m.SoftVersion);
    m.Accept();
}

void newAddress(Ttolm472 &m, const QByteArray &a)
{
    // The gauge answers from the address it was just given.
    m.SetSystemAddress(ByteAt(a, 0));
    signature(m, a);
}

void identification(Ttolm472 &m, const QByteArray &a)
{
    const uint8_t address = ByteAt(a, 0);
    const uint8_t unitType = ByteAt(a, 3);
    const uint16_t plantNumber = WordAt(a, 4);
    m.SetPlantNumber(plantNumber);
    m.IdHardVersion = ByteAt(a, 6);
    m.SoftVersionHost = ByteAt(a, 7);
    m.SoftVersionCOS = ByteAt(a, 8);
    m.CRC16Host = WordAt(a, 9);
    m.CRC16COS = WordAt(a, 11);
    if (m.On35)
        m.On35(&m, address, unitType, plantNumber, m.IdHardVersion, m.SoftVersionHost, m.SoftVersionCOS,
               m.CRC16Host, m.CRC16COS);
    m.Accept();
}

void acknowledge(Ttolm472 &m, const QByteArray &)
{
    m.Accept();
}

// One block of the array chosen by the last init command. An index that
// does not fit the array (changed after the request went out) stores nothing.
void dataBlock(Ttolm472 &m, const QByteArray &a)
{
    const int first = (int(m.BlockIndex) - 1) * Ttolm472::BlockSize;
    if (m.ArrayKind == SignalKind) {
        if (m.BlockIndex >= 1 && first + Ttolm472::BlockSize <= Ttolm472::SignalSize)
            for (int j = 0; j < Ttolm472::BlockSize; ++j)
                m.Signal[first + j] = LongIntAt(a, 3 + 4 * j);
        m.Accept();
    } else if (m.ArrayKind == SpectrumKind) {
        if (m.BlockIndex >= 1 && first + Ttolm472::BlockSize <= Ttolm472::SpectrumSize)
            for (int j = 0; j < Ttolm472::BlockSize; ++j)
                m.Spectrum[first + j] = SingleAt(a, 3 + 4 * j);
        m.Accept();
    }
}

bool decodesByteValue(uint8_t number)
{
    return number == TemperatureValue || number == DeviceTypeValue;
}

void byteValue(Ttolm472 &m, const QByteArray &a)
{
    const uint8_t value = ByteAt(a, 3);
    if (m.ByteValueNumber == TemperatureValue) {
        storeReading(m.Temp, static_cast<int8_t>(value));
    } else if (m.ByteValueNumber == DeviceTypeValue) {
        if (value == 11 || value == 12)
            m.ProgramType = value;
        else if (m.OnMessage)
            m.OnMessage(QStringLiteral("Неизвестный тип прибора: ") + QString::number(value));
    }
}

// A word or float parameter read back: through its setter, which drops
// what is out of its range. A number the program does not know is ignored.
template <TParameterType Type>
void parameterRead(Ttolm472 &m, const QByteArray &a)
{
    const bool word = Type == TParameterType::Word;
    const uint8_t number = word ? m.WordParamReadNumber : m.FloatParamReadNumber;
    if (const TParameter *parameter = ParameterByNumber(Type, number))
        parameter->Set(m, word ? double(WordAt(a, 3)) : SingleAt(a, 3));
}

void errorAnswer(Ttolm472 &m, const QByteArray &a)
{
    const uint8_t code = ByteAt(a, 3);
    m.LastErrorCode = code;
    if (code == 0)
        m.Accept();
    else if (const QString text = ErrorAnswerText(code); !text.isEmpty())
        m.Fail(StatusCode::ErrorAnswer, text);
    else
        m.CountError(); // a code the gauge documents no text for
}

using TInterpret = void (*)(Ttolm472 &, const QByteArray &);

struct TAnswerRule
{
    uint8_t function;
    TInterpret interpret;
};

// Every answer function the program accepts; anything else is a command
// mismatch (for example the register-read reply, function 4).
constexpr TAnswerRule AnswerRules[] = {
    {0x01, readValue},
    {0x02, readAll},
    {0x10, echo},
    {0x20, signature},
    {0x23, identification},
    {0x25, newAddress},
    {0x30, signature},
    {0xA2, acknowledge},
    {0xA8, dataBlock},
    {0xB1, acknowledge},
    {0xB2, acknowledge},
    {0xB3, acknowledge},
    {0xB4, byteValue},
    {0xB5, parameterRead<TParameterType::Word>},
    {0xB6, parameterRead<TParameterType::Float>},
    {0xFA, errorAnswer},
};

const TAnswerRule *ruleFor(uint8_t function)
{
    const auto *rule = std::find_if(std::begin(AnswerRules), std::end(AnswerRules),
                                    [function](const TAnswerRule &r) { return r.function == function; });
    return rule != std::end(AnswerRules) ? rule : nullptr;
}

} // namespace

bool Ttolm472::acceptFrame(const QByteArray &answer, bool (*checksumOk)(const QByteArray &))
{
    LastErrorCode = StatusCode::Normal;
    LastErrorText = StatusText::Normal;
    if (answer.isEmpty())
        Fail(StatusCode::NoAnswer, StatusText::NoAnswer);
    else if (answer.size() <= 4)
        Fail(StatusCode::ReadError, StatusText::ReadError);
    else if (!checksumOk(answer))
        Fail(StatusCode::ChecksumError, StatusText::ChecksumError);
    else
        return true;
    return false;
}

void Ttolm472::ParseAnswer(const QByteArray &answer)
{
    if (!acceptFrame(answer, CheckCrc16))
        return;
    const TAnswerRule *rule = ruleFor(ByteAt(answer, 1));
    if (!rule)
        return Fail(StatusCode::CommandMismatch, StatusText::CommandMismatch);
    // The request that was sent fixes the length; a shorter answer is a read
    // error. A byte value the program does not decode is not looked at, so
    // its length does not matter either.
    const bool lengthMatters = rule->function != GaugeFunction::ByteRead || decodesByteValue(ByteValueNumber);
    if (lengthMatters && answer.size() < GaugeAnswerLength(rule->function, ReadSelector))
        return Fail(StatusCode::ReadError, StatusText::ReadError);
    m_gaugeAnswered = true;
    rule->interpret(*this, answer);
}
