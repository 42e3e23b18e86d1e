#include "protocol/answer_layout.h"

#include "protocol/frame.h"
#include "protocol/gauge_functions.h"

namespace {

struct TAnswerLength
{
    uint8_t function;
    int length;
};

constexpr int GainAnswerLength = 9;
constexpr int ErrorAnswerLength = 6;

// The table names the function bytes without their namespace; the using
// directive stays in a namespace of its own, so it reaches no other file
// compiled in the same unity batch (where Echo is also a command code).
namespace AnswerTable {
using namespace GaugeFunction;
constexpr TAnswerLength kGaugeAnswers[] = {
    {ReadValue, 11},     {ReadAll, 29},    {Echo, 7},       {Signature, 10},  {Identification, 15},
    {SystemAddress, 10}, {PlantNumber, 10}, {StoreToRom, 5}, {DataBlock, 133}, {Control, 5},
    {WordWrite, 5},      {FloatWrite, 5},  {ByteRead, 6},   {WordRead, 7},    {FloatRead, 9},
    {Error, ErrorAnswerLength},
};
} // namespace AnswerTable

// Offsets in a request: address, function, count, then the data.
constexpr int FunctionOffset = 1;
constexpr int SelectorOffset = 3;

} // namespace

int GaugeAnswerLength(uint8_t function, uint8_t readSelector)
{
    if (function == GaugeFunction::ReadValue && readSelector == GainSelector)
        return GainAnswerLength;
    for (const TAnswerLength &layout : AnswerTable::kGaugeAnswers) {
        if (layout.function == function)
            return layout.length;
    }
    return 0;
}

TExpectedAnswer ExpectedAnswer(TAnswerKind kind, const QByteArray &request)
{
    TExpectedAnswer expected;
    expected.kind = kind;
    if (kind == TAnswerKind::Meter) {
        expected.length = MeterAnswerLength;
        return expected;
    }
    if (request.size() <= FunctionOffset)
        return expected;
    expected.function = uint8_t(request.at(FunctionOffset));
    const uint8_t selector = request.size() > SelectorOffset ? uint8_t(request.at(SelectorOffset)) : 0;
    expected.length = GaugeAnswerLength(expected.function, selector);
    return expected;
}

bool IsAnswerComplete(const TExpectedAnswer &expected, const QByteArray &received)
{
    if (expected.kind == TAnswerKind::Meter)
        return received.size() == MeterAnswerLength && CheckCrc8(received);
    if (received.size() <= FunctionOffset)
        return false;
    const uint8_t function = uint8_t(received.at(FunctionOffset));
    const bool lengthFits = function == ErrorAnswerFunction
                                ? received.size() == ErrorAnswerLength
                                : expected.length > 0 && function == expected.function &&
                                      received.size() == expected.length;
    return lengthFits && CheckCrc16(received);
}

std::optional<double> ParameterValueCarried(const QByteArray &answer)
{
    if (answer.size() < 2)
        return std::nullopt;
    const uint8_t function = ByteAt(answer, 1);
    if (answer.size() < GaugeAnswerLength(function, 0))
        return std::nullopt;
    switch (function) {
    case 0xB5: return WordAt(answer, 3);
    case 0xB6: return SingleAt(answer, 3);
    default: return std::nullopt;
    }
}
