// The current-loop meter's answer (ЛЮМИДОР-906 on the gauge's line). It has
// no function byte and no status byte: any answer long enough to hold the
// current and closed by a right CRC-8 is taken. Its failures count in the
// gauge model's failure counter, with the same threshold.
//
//  Offset: meaning
//  5-6  current, signed 16 bits, LOW byte first, hundredths of a mA
//  last CRC-8 of every byte before it

#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/frame.h"

namespace {
constexpr int MinMeterAnswer = 8;
}

void Ttolm472::ParseLumidorAnswer(const QByteArray &answer)
{
    if (!acceptFrame(answer, CheckCrc8))
        return;
    if (answer.size() < MinMeterAnswer)
        return Fail(StatusCode::ReadError, StatusText::ReadError);
    const auto hundredths = static_cast<int16_t>(BytesToWord(ByteAt(answer, 5), ByteAt(answer, 6)));
    CurrentOutput.SetValue(hundredths / 100.0);
    Accept();
}
