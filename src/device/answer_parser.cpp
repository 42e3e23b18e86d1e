// The gauge's answers: acceptance checks, then the payload by the answer's
// function byte and the context of the request that brought it, into an
// immutable TGaugeAnswer; the status is counted in the device's TLinkStatus.
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

#include "device/gauge_answer.h"
#include "device/parameter_table.h"
#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/answer_layout.h"
#include "protocol/command_codes.h"
#include "protocol/frame.h"
#include "protocol/gauge_functions.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace {

// Value numbers of the byte-value read (0xB4) that carry a meaning.
constexpr uint8_t TemperatureValue = 20;
constexpr uint8_t DeviceTypeValue = 100;
constexpr uint8_t SignalKind = 20;
constexpr uint8_t SpectrumKind = 30;

// One parse: the request's context, the device's status and what the
// answer says.
struct TParse {
    const TAnswerContext &context;
    TLinkStatus &status;
    TGaugeAnswer &out;

    void store(TReadingKind kind, double x) { out.Readings[size_t(kind)] = x; }
};

// The status byte of a reading answer, judged before its values are used.
// False when the values are to be thrown away.
bool judgeStatus(TParse &p, uint8_t status, bool toStatusLog)
{
    p.status.LastErrorCode = status;
    if (toStatusLog && status != 0)
        p.out.BlackBoxStatus = status;
    if (IsCriticalStatus(status)) {
        p.status.CountError();
        if (p.status.ErrorLimitReached()) {
            p.status.ReportStatus(status, GaugeStatusText(status));
            return false;
        }
    } else if (IsNonCriticalStatus(status)) {
        p.status.ReportStatus(status, GaugeStatusText(status));
    }
    return true;
}

// After the values of a reading answer are stored. A critical status below
// the threshold still leaves the link up, but it stays counted: otherwise a
// gauge that keeps reporting it would reset its own count with every answer
// and never be reported at an ErrorMax above 1.
void acceptReading(TParse &p, uint8_t status)
{
    if (IsCriticalStatus(status)) {
        p.status.LinkState = 1;
        p.status.Steps.push_back({1, std::nullopt});
    } else {
        p.status.Accept();
    }
}

std::optional<TReadingKind> singleValueOf(uint8_t selector)
{
    switch (selector) {
    case 0: return TReadingKind::Freq;
    case 1: return TReadingKind::Distance;
    case 2: return TReadingKind::Level;
    case 3: return TReadingKind::LevelFree;
    case 4: return TReadingKind::Reserve;
    default: return std::nullopt;
    }
}

void readValue(TParse &p, const QByteArray &a)
{
    if (p.context.ReadSelector == GainSelector) {
        const uint8_t status = ByteAt(a, 6);
        if (!judgeStatus(p, status, true))
            return;
        p.out.Usil = WordAt(a, 3);
        acceptReading(p, status);
        return;
    }
    const uint8_t status = ByteAt(a, 8);
    if (!judgeStatus(p, status, true))
        return;
    if (const std::optional<TReadingKind> kind = singleValueOf(p.context.ReadSelector))
        p.store(*kind, SingleAt(a, 3));
    acceptReading(p, status);
}

void readAll(TParse &p, const QByteArray &a)
{
    const uint8_t status = ByteAt(a, 26);
    if (!judgeStatus(p, status, false))
        return;
    p.store(TReadingKind::Freq, SingleAt(a, 3));
    p.store(TReadingKind::Distance, SingleAt(a, 7));
    p.store(TReadingKind::Level, SingleAt(a, 11));
    p.store(TReadingKind::LevelFree, SingleAt(a, 15));
    p.store(TReadingKind::Reserve, SingleAt(a, 19));
    p.out.Usil = WordAt(a, 23);
    acceptReading(p, status);
}

void echo(TParse &p, const QByteArray &a)
{
    // The gauge answers the request's AA 55 swapped; one of the two bytes
    // in its place is taken as a live gauge.
    if (ByteAt(a, 3) == 0x55 || ByteAt(a, 4) == 0xAA)
        p.status.Accept();
    else
        p.status.Fail(StatusCode::ReadError, StatusText::ReadError);
}

TSignatureAnswer signatureOf(const QByteArray &a, bool newAddress)
{
    return {ByteAt(a, 0), ByteAt(a, 3), WordAt(a, 4), ByteAt(a, 6), ByteAt(a, 7), newAddress};
}

void signature(TParse &p, const QByteArray &a)
{
    p.out.Signature = signatureOf(a, false);
    p.status.Accept();
}

void newAddress(TParse &p, const QByteArray &a)
{
    // The gauge answers from the address it was just given.
    p.out.Signature = signatureOf(a, true);
    p.status.Accept();
}

void identification(TParse &p, const QByteArray &a)
{
    p.out.Identification = TIdentificationAnswer{ByteAt(a, 0), ByteAt(a, 3),  WordAt(a, 4),  ByteAt(a, 6),
                                                 ByteAt(a, 7), ByteAt(a, 8), WordAt(a, 9), WordAt(a, 11)};
    p.status.Accept();
}

void acknowledge(TParse &p, const QByteArray &)
{
    p.status.Accept();
}

// One block of the array chosen by the last init command. An index that
// does not fit the array stores nothing.
void dataBlock(TParse &p, const QByteArray &a)
{
    const uint8_t kind = p.context.ArrayKind;
    if (kind != SignalKind && kind != SpectrumKind)
        return;
    const int size = kind == SignalKind ? TGaugeArrays::SignalSize : TGaugeArrays::SpectrumSize;
    const int first = (int(p.context.BlockIndex) - 1) * TDataBlock::Size;
    if (p.context.BlockIndex >= 1 && first + TDataBlock::Size <= size) {
        TDataBlock block;
        block.ArrayKind = kind;
        block.First = first;
        for (int j = 0; j < TDataBlock::Size; ++j)
            block.Values[size_t(j)] = kind == SignalKind ? double(LongIntAt(a, 3 + 4 * j)) : SingleAt(a, 3 + 4 * j);
        p.out.Block = block;
    }
    p.status.Accept();
}

bool decodesByteValue(uint8_t number)
{
    return number == TemperatureValue || number == DeviceTypeValue;
}

void byteValue(TParse &p, const QByteArray &a)
{
    const uint8_t value = ByteAt(a, 3);
    if (p.context.ByteValueNumber == TemperatureValue) {
        p.store(TReadingKind::Temp, static_cast<int8_t>(value));
    } else if (p.context.ByteValueNumber == DeviceTypeValue) {
        if (value == 11 || value == 12)
            p.out.ProgramType = value;
        else
            p.out.Message = QStringLiteral("Неизвестный тип прибора: ") + QString::number(value);
    }
}

// A word or float parameter read back; the model takes it through its
// setter, which drops what is out of its range. A number the program does
// not know is ignored.
template <TParameterType Type>
void parameterRead(TParse &p, const QByteArray &a)
{
    const bool word = Type == TParameterType::Word;
    const uint8_t number = word ? p.context.WordParamReadNumber : p.context.FloatParamReadNumber;
    if (const TParameter *parameter = ParameterByNumber(Type, number)) {
        p.out.Parameter = parameter;
        p.out.ParameterValue = word ? double(WordAt(a, 3)) : SingleAt(a, 3);
    }
}

void errorAnswer(TParse &p, const QByteArray &a)
{
    const uint8_t code = ByteAt(a, 3);
    p.status.LastErrorCode = code;
    if (code == 0)
        p.status.Accept();
    else if (const QString text = ErrorAnswerText(code); !text.isEmpty())
        p.status.Fail(StatusCode::ErrorAnswer, text);
    else
        p.status.CountError(); // a code the gauge documents no text for
}

using TInterpret = void (*)(TParse &, const QByteArray &);

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

// The checks both parsers begin with: an empty or too short answer or a
// wrong checksum fails. True when the answer may be read further.
bool acceptFrame(TLinkStatus &status, const QByteArray &answer, bool (*checksumOk)(const QByteArray &))
{
    if (answer.isEmpty())
        status.Fail(StatusCode::NoAnswer, StatusText::NoAnswer);
    else if (answer.size() <= 4)
        status.Fail(StatusCode::ReadError, StatusText::ReadError);
    else if (!checksumOk(answer))
        status.Fail(StatusCode::ChecksumError, StatusText::ChecksumError);
    else
        return true;
    return false;
}

void parseGauge(TParse &p, const QByteArray &answer)
{
    if (!acceptFrame(p.status, answer, CheckCrc16))
        return;
    const TAnswerRule *rule = ruleFor(ByteAt(answer, 1));
    if (!rule)
        return p.status.Fail(StatusCode::CommandMismatch, StatusText::CommandMismatch);
    // The request that was sent fixes the length; a shorter answer is a read
    // error. A byte value the program does not decode is not looked at, so
    // its length does not matter either.
    const bool lengthMatters =
        rule->function != GaugeFunction::ByteRead || decodesByteValue(p.context.ByteValueNumber);
    if (lengthMatters && answer.size() < GaugeAnswerLength(rule->function, p.context.ReadSelector))
        return p.status.Fail(StatusCode::ReadError, StatusText::ReadError);
    p.out.Recognised = true;
    rule->interpret(p, answer);
}

// An error answer of the gauge: exactly six bytes with 0xFA as function.
bool isErrorAnswer(const QByteArray &answer)
{
    return answer.size() == 6 && static_cast<uint8_t>(answer.at(1)) == 0xFA;
}

} // namespace

TGaugeAnswer ParseGaugeAnswer(const TAnswerContext &context, const QByteArray &answer, TLinkStatus &status)
{
    TGaugeAnswer out;
    out.Sent = true;
    out.Answer = answer;
    out.ArrayKind = context.ArrayKind;
    status.BeginParse();
    const uint16_t errorsBefore = status.ErrorCount;
    TParse parse{context, status, out};
    parseGauge(parse, answer);
    // Judged here, so a polling pass's parse in between cannot count against
    // an operator command: the parse counted no refusal and left no negative
    // error code.
    out.Taken = !answer.isEmpty() && !isErrorAnswer(answer) && status.ErrorCount <= errorsBefore &&
                status.LastErrorCode >= 0;
    out.Status = status;
    return out;
}

// The current-loop meter's answer (ЛЮМИДОР-906 on the gauge's line). It has
// no function byte and no status byte: any answer long enough to hold the
// current and closed by a right CRC-8 is taken.
//
//  Offset: meaning
//  5-6  current, signed 16 bits, LOW byte first, hundredths of a mA
//  last CRC-8 of every byte before it
TGaugeAnswer ParseMeterAnswer(const QByteArray &answer, TLinkStatus &status)
{
    constexpr int MinMeterAnswer = 8;
    TGaugeAnswer out;
    out.Code = CurrentOutputReading;
    out.Sent = true;
    out.Answer = answer;
    status.BeginParse();
    if (acceptFrame(status, answer, CheckCrc8)) {
        if (answer.size() < MinMeterAnswer) {
            status.Fail(StatusCode::ReadError, StatusText::ReadError);
        } else {
            const auto hundredths = static_cast<int16_t>(BytesToWord(ByteAt(answer, 5), ByteAt(answer, 6)));
            out.Readings[size_t(TReadingKind::CurrentOutput)] = hundredths / 100.0;
            status.Accept();
            out.Taken = !isErrorAnswer(answer);
        }
    }
    out.Status = status;
    return out;
}

// --- Failure counting ----------------------------------------------------------

void TLinkStatus::CountError()
{
    // Held at its top instead of wrapping round to 0, which would hide a
    // line that has been failing for a very long time.
    if (ErrorCount < std::numeric_limits<uint16_t>::max())
        ++ErrorCount;
}

void TLinkStatus::ReportStatus(int32_t code, const QString &text)
{
    LastErrorCode = code;
    LastErrorText = text;
    LinkState = 2;
    Steps.push_back({2, text});
}

void TLinkStatus::Accept()
{
    ErrorCount = 0;
    LinkState = 1;
    Steps.push_back({1, std::nullopt});
}

void TLinkStatus::Fail(int32_t code, const QString &text)
{
    CountError();
    if (ErrorLimitReached())
        ReportStatus(code, text);
}

void TLinkStatus::BeginParse()
{
    LastErrorCode = StatusCode::Normal;
    LastErrorText = StatusText::Normal;
    Steps.clear();
}
