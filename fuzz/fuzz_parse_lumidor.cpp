// Any bytes as a current-loop meter answer. Input: byte 0 says whether the
// answer gets a right CRC-8 appended (bit 0, so the current is reached
// without the fuzzer having to find checksums); the rest is the answer.
// The parse must not crash, must end in a status of the meter parser and
// must hold a current that 16 signed bits of hundredths can carry.

#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/frame.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    Ttolm472 model;
    model.SetErrorMax(1);
    QByteArray answer(reinterpret_cast<const char *>(data + 1), int(size - 1));
    if (data[0] & 1)
        answer = AppendCrc8(answer);
    model.ParseLumidorAnswer(answer);
    const int32_t code = model.LastErrorCode;
    if (code != StatusCode::Normal && code != StatusCode::NoAnswer && code != StatusCode::ReadError &&
        code != StatusCode::ChecksumError)
        std::abort();
    const double mA = model.Readings.CurrentOutput.AsDouble();
    if (!(mA >= -327.68 && mA <= 327.67))
        std::abort();
    if (code == StatusCode::Normal && model.LinkState.AsInt() != 1)
        std::abort();
    return 0;
}
