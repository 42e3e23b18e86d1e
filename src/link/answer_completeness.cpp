#include "link/answer_completeness.h"

#include "link/frame/frame.h"

namespace {

struct TAnswerLayout
{
    uint8_t function;
    int length;
    int shortLength; // a second complete length of the same function, or 0
};

constexpr TAnswerLayout kGaugeAnswers[] = {
    {0x01, 11, 9}, {0x02, 29, 0}, {0x10, 7, 0},  {0x20, 10, 0}, {0x23, 15, 0}, {0x25, 10, 0},
    {0x30, 10, 0}, {0xA2, 5, 0},  {0xA8, 133, 0}, {0xB1, 5, 0}, {0xB2, 5, 0},  {0xB3, 5, 0},
    {0xB4, 6, 0},  {0xB5, 7, 0},  {0xB6, 9, 0},   {0xFA, 6, 0},
};

const TAnswerLayout *findLayout(uint8_t function)
{
    for (const TAnswerLayout &layout : kGaugeAnswers) {
        if (layout.function == function)
            return &layout;
    }
    return nullptr;
}

} // namespace

int GaugeAnswerLength(uint8_t function)
{
    const TAnswerLayout *layout = findLayout(function);
    return layout ? layout->length : 0;
}

bool IsAnswerComplete(TAnswerKind kind, const QByteArray &received)
{
    if (kind == TAnswerKind::Meter)
        return received.size() == MeterAnswerLength && CheckCrc8(received);
    if (received.size() < 2)
        return false;
    const TAnswerLayout *layout = findLayout(uint8_t(received.at(1)));
    if (!layout)
        return false;
    const qsizetype size = received.size();
    if (size != layout->length && size != layout->shortLength)
        return false;
    return CheckCrc16(received);
}
